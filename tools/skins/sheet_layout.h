// Places labelled tiles row by row on a sheet of fixed width.
#pragma once

#include "rgba_image.h"

#include <string>
#include <vector>

namespace skins {

class SheetLayout {
public:
    explicit SheetLayout(int width) : width_(width) {}

    void Add(RgbaImage tile, std::string label);
    // Starts a new row even when the current one has room.
    void Break();
    RgbaImage Finish() const;

private:
    struct Placed {
        RgbaImage tile;
        std::string label;
        int x, y;
    };

    int width_;
    int x_ = 0, y_ = 0, rowHeight_ = 0;
    std::vector<Placed> placed_;
};

} // namespace skins
