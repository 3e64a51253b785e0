#include "picture_files.h"

#include <algorithm>
#include <cstdio>
#include <jpeglib.h>
#include <png.h>
#include <stdexcept>
#include <string>

namespace skins {

namespace {

[[noreturn]] void JpegFail(j_common_ptr info)
{
    char message[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, message);
    throw std::runtime_error(std::string("JPEG: ") + message);
}

bool HasMarker(const std::vector<uint8_t>& d, uint8_t marker)
{
    for (size_t i = 2; i + 1 < d.size(); ++i)
        if (d[i] == 0xFF && d[i + 1] == marker)
            return true;
    return false;
}

} // namespace

JpegFile DecodeJpeg(const std::vector<uint8_t>& data)
{
    JpegFile f;
    // Frame markers: 0xC0 baseline, 0xC2 progressive.
    f.baseline = HasMarker(data, 0xC0) && !HasMarker(data, 0xC2);
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    errors.error_exit = JpegFail;
    jpeg_create_decompress(&info);
    try {
        jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
        jpeg_read_header(&info, TRUE);
        f.components = info.num_components;
        info.out_color_space = JCS_RGB;
        jpeg_start_decompress(&info);
        int w = static_cast<int>(info.output_width), h = static_cast<int>(info.output_height);
        f.image = RgbaImage{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 4)};
        std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
        while (info.output_scanline < info.output_height) {
            int y = static_cast<int>(info.output_scanline);
            JSAMPROW rows[1] = {row.data()};
            jpeg_read_scanlines(&info, rows, 1);
            for (int x = 0; x < w; ++x) {
                uint8_t* p = f.image.At(x, y);
                p[0] = row[x * 3];
                p[1] = row[x * 3 + 1];
                p[2] = row[x * 3 + 2];
                p[3] = 255;
            }
        }
        jpeg_finish_decompress(&info);
    } catch (...) {
        jpeg_destroy_decompress(&info);
        throw;
    }
    jpeg_destroy_decompress(&info);
    return f;
}

PngFile DecodePng(const std::vector<uint8_t>& data)
{
    // The header chunk's fields at their fixed places: width, height, depth, type.
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (data.size() < 33 || !std::equal(signature, signature + 8, data.begin()))
        throw std::runtime_error("not a PNG file");
    PngFile f;
    f.bitDepth = data[24];
    f.colourType = data[25];
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size()))
        throw std::runtime_error(std::string("PNG: ") + image.message);
    image.format = PNG_FORMAT_RGBA;
    f.image = RgbaImage{static_cast<int>(image.width), static_cast<int>(image.height),
                        std::vector<uint8_t>(PNG_IMAGE_SIZE(image))};
    if (!png_image_finish_read(&image, nullptr, f.image.pixels.data(), 0, nullptr))
        throw std::runtime_error(std::string("PNG: ") + image.message);
    return f;
}

} // namespace skins
