#include "pixel_font.h"

#include <cctype>
#include <cmath>
#include <map>

namespace skins {

namespace {

using Glyph = const char* [kGlyphHeight];

const std::map<char, const char* const*>& Glyphs()
{
    static Glyph a = {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"};
    static Glyph b = {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."};
    static Glyph c = {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."};
    static Glyph d = {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."};
    static Glyph e = {"#####", "#....", "#....", "####.", "#....", "#....", "#####"};
    static Glyph f = {"#####", "#....", "#....", "####.", "#....", "#....", "#...."};
    static Glyph g = {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"};
    static Glyph h = {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"};
    static Glyph i = {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."};
    static Glyph j = {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."};
    static Glyph k = {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"};
    static Glyph l = {"#....", "#....", "#....", "#....", "#....", "#....", "#####"};
    static Glyph m = {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"};
    static Glyph n = {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"};
    static Glyph o = {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."};
    static Glyph p = {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."};
    static Glyph q = {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"};
    static Glyph r = {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"};
    static Glyph s = {".####", "#....", "#....", ".###.", "....#", "....#", "####."};
    static Glyph t = {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."};
    static Glyph u = {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."};
    static Glyph v = {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."};
    static Glyph w = {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."};
    static Glyph x = {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"};
    static Glyph y = {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."};
    static Glyph z = {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"};
    static Glyph d0 = {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."};
    static Glyph d1 = {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."};
    static Glyph d2 = {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"};
    static Glyph d3 = {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."};
    static Glyph d4 = {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."};
    static Glyph d5 = {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."};
    static Glyph d6 = {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."};
    static Glyph d7 = {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."};
    static Glyph d8 = {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."};
    static Glyph d9 = {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."};
    static Glyph underscore = {".....", ".....", ".....", ".....", ".....", ".....", "#####"};
    static Glyph dot = {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."};
    static Glyph dash = {".....", ".....", ".....", "#####", ".....", ".....", "....."};
    static Glyph colon = {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."};
    static Glyph percent = {"##...", "##..#", "...#.", "..#..", ".#...", "#..##", "...##"};
    static Glyph slash = {".....", "....#", "...#.", "..#..", ".#...", "#....", "....."};
    static Glyph comma = {".....", ".....", ".....", ".....", ".##..", "..#..", ".#..."};
    static Glyph open = {"...#.", "..#..", ".#...", ".#...", ".#...", "..#..", "...#."};
    static Glyph close = {".#...", "..#..", "...#.", "...#.", "...#.", "..#..", ".#..."};
    static const std::map<char, const char* const*> glyphs = {
        {'A', a},  {'B', b},  {'C', c},  {'D', d},  {'E', e},          {'F', f},   {'G', g},    {'H', h},
        {'I', i},  {'J', j},  {'K', k},  {'L', l},  {'M', m},          {'N', n},   {'O', o},    {'P', p},
        {'Q', q},  {'R', r},  {'S', s},  {'T', t},  {'U', u},          {'V', v},   {'W', w},    {'X', x},
        {'Y', y},  {'Z', z},  {'0', d0}, {'1', d1}, {'2', d2},         {'3', d3},  {'4', d4},   {'5', d5},
        {'6', d6}, {'7', d7}, {'8', d8}, {'9', d9}, {'_', underscore}, {'.', dot}, {'-', dash}, {':', colon},
        {'%', percent}, {'/', slash}, {',', comma}, {'(', open}, {')', close}};
    return glyphs;
}

void Plot(RgbaImage& image, int x, int y, Color color)
{
    if (x < 0 || y < 0 || x >= image.width || y >= image.height)
        return;
    uint8_t* p = image.At(x, y);
    p[0] = static_cast<uint8_t>(std::lround(color.r * 255));
    p[1] = static_cast<uint8_t>(std::lround(color.g * 255));
    p[2] = static_cast<uint8_t>(std::lround(color.b * 255));
    p[3] = 255;
}

} // namespace

int LabelWidth(const std::string& text, bool bold, int scale)
{
    return static_cast<int>(text.size()) * (kGlyphAdvance + (bold ? 1 : 0)) * scale;
}

int DrawLabel(RgbaImage& image, int x, int y, const std::string& text, Color color, bool bold, int scale)
{
    int advance = (kGlyphAdvance + (bold ? 1 : 0)) * scale;
    for (size_t n = 0; n < text.size(); ++n) {
        auto found = Glyphs().find(static_cast<char>(std::toupper(static_cast<unsigned char>(text[n]))));
        if (found == Glyphs().end())
            continue;
        for (int row = 0; row < kGlyphHeight; ++row)
            for (int col = 0; col < kGlyphWidth; ++col)
                if (found->second[row][col] == '#') {
                    int px = x + static_cast<int>(n) * advance + col * scale;
                    for (int j = 0; j < scale; ++j)
                        for (int i = 0; i < scale * (bold ? 2 : 1); ++i)
                            Plot(image, px + i, y + row * scale + j, color);
                }
    }
    return LabelWidth(text, bold, scale);
}

} // namespace skins
