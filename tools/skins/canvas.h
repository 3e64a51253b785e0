// A floating-point RGBA canvas that pictures are drawn on. Coordinates are in
// picture units (QVGA pixels); the canvas holds scale pixels per unit, so one
// drawing makes both the QVGA and the VGA picture.
#pragma once

#include "color.h"
#include "paint.h"
#include "rgba_image.h"
#include "shape.h"

#include <vector>

namespace skins {

class Canvas {
public:
    Canvas(int widthUnits, int heightUnits, int scale);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Scale() const { return scale_; }
    double WidthUnits() const { return static_cast<double>(width_) / scale_; }
    double HeightUnits() const { return static_cast<double>(height_) / scale_; }

    // Paints the shape over the canvas, its edges anti-aliased.
    void Fill(const Shape& shape, const Paint& paint, double opacity = 1.0);
    // Paints the shape with its edge blurred over about blur units: shadows and glows.
    void FillSoft(const Shape& shape, const Paint& paint, double blur, double opacity = 1.0);
    // Keeps only what lies inside the shape (partly at its edges).
    void ClipTo(const Shape& shape);
    // Puts an opaque colour under everything: for pictures without alpha.
    void Flatten(Color background);

    // Premultiplied colour of a pixel.
    const Color& Pixel(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    Color& Pixel(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }

    RgbaImage ToImage() const;

private:
    template <typename Coverage>
    void Cover(const Box& bounds, const Paint& paint, double opacity, Coverage coverage);

    int width_;
    int height_;
    int scale_;
    std::vector<Color> pixels_;
};

} // namespace skins
