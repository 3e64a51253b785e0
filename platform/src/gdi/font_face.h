// A font file rasterised by FreeType at one pixel size: its metrics as GDI
// reports them and the coverage of each character, made once per process.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

// How a bold request that the file's outlines cannot meet is made up.
enum class Bolding {
    None,
    // Thicker outlines only: the file's advances are already bold ones.
    Outlines,
    // Thicker outlines on wider advances, from a regular file.
    OutlinesAndAdvances,
};

struct FaceKey {
    std::string path;
    int index = 0;
    int ppem = 0;  // pixels per em
    Bolding bolding = Bolding::None;
    bool antialias = true;
    friend bool operator==(const FaceKey&, const FaceKey&) = default;
};

// What a font file's design tells before a size is chosen.
struct FaceDesign {
    bool valid = false;  // FreeType can use the file
    int unitsPerEm = 1;
    int cellUnits = 1;  // the Windows ascent and descent together
    // The stems are as thick as a bold design's. Wine's Tahoma Bold, for
    // one, has bold bitmaps and advances over regular outlines.
    bool boldStems = false;
};

struct FaceMetrics {
    int ascent = 0;
    int descent = 0;
    int height = 0;  // ascent + descent: one line's cell
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int underlineTop = 0;  // rows below the baseline
    int lineThickness = 1;  // of underline and strikeout
    int strikeOutTop = 0;  // rows above the baseline
    char16_t firstChar = 0;
    char16_t lastChar = 0;
    char16_t defaultChar = 0;
    bool fixedPitch = false;
};

struct Glyph {
    int advance = 0;
    int left = 0;  // the coverage's first column, from the pen position
    int top = 0;  // the coverage's first row, above the baseline
    int width = 0;
    int height = 0;
    std::vector<uint8_t> coverage;  // 0 to 255, width bytes a row
};

class FontFace {
public:
    // The process's face for the key; null when FreeType cannot use the file.
    static std::shared_ptr<const FontFace> Open(const FaceKey& key);
    static FaceDesign DesignOf(const std::string& path, int index);

    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const FaceKey& Key() const { return key_; }
    const FaceMetrics& Metrics() const { return metrics_; }
    const Glyph& GlyphOf(char16_t c) const;
    int Width(std::u16string_view text) const;

private:
    struct Handle;
    FontFace(const FaceKey& key, std::unique_ptr<Handle> handle);
    void MeasureMetrics();
    Glyph Render(char16_t c) const;

    FaceKey key_;
    std::unique_ptr<Handle> handle_;
    FaceMetrics metrics_;
    int emboldenStrength_ = 0;  // 26.6 pixels added to each stem
    int advanceGrowth_ = 0;  // whole pixels added to each advance
    mutable std::mutex mutex_;
    mutable std::unordered_map<char16_t, Glyph> glyphs_;
};

}  // namespace platform
