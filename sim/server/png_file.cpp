#include "png_file.h"

#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace sim {
namespace {

// Level and filters are fixed so that a golden written on one machine is
// byte for byte the one another machine writes.
constexpr int kCompressionLevel = 6;
// Text and other ancillary chunks larger than this are refused.
constexpr png_alloc_size_t kMaxChunkBytes = 1 << 20;
// No PNG within the side limits needs more than this on disk.
constexpr std::uintmax_t kMaxFileBytes = 512u << 20;

// What libpng said during one read or write. It often gives the detail as a
// warning just before a general error ("exceeds user limit", then "Invalid
// IHDR data"), so the warnings go with the error.
struct PngMessages {
    std::string error;
    std::string warnings;

    std::string Text() const { return warnings.empty() ? error : error + " (" + warnings + ")"; }
};

// libpng reports an error by calling this, which must not return: the
// message is kept and control jumps back to the setjmp of the call in
// progress. Nothing between the two frames owns a C++ object.
[[noreturn]] void OnPngError(png_structp png, png_const_charp message)
{
    static_cast<PngMessages*>(png_get_error_ptr(png))->error = message;
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp png, png_const_charp message)
{
    std::string& warnings = static_cast<PngMessages*>(png_get_error_ptr(png))->warnings;
    if (!warnings.empty())
        warnings += "; ";
    warnings += message;
}

void AppendBytes(png_structp png, png_bytep data, size_t length)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void FlushNothing(png_structp) {}

struct ReadCursor {
    std::string_view bytes;
    size_t offset = 0;
};

void ReadBytes(png_structp png, png_bytep data, size_t length)
{
    auto* cursor = static_cast<ReadCursor*>(png_get_io_ptr(png));
    if (length > cursor->bytes.size() - cursor->offset)
        png_error(png, "the file ends early");
    std::memcpy(data, cursor->bytes.data() + cursor->offset, length);
    cursor->offset += length;
}

// Owns the libpng state of one read or write.
class PngState {
public:
    PngState(bool write, PngMessages& messages)
    {
        png_ = write ? png_create_write_struct(PNG_LIBPNG_VER_STRING, &messages, OnPngError, OnPngWarning)
                     : png_create_read_struct(PNG_LIBPNG_VER_STRING, &messages, OnPngError, OnPngWarning);
        write_ = write;
        if (png_)
            info_ = png_create_info_struct(png_);
    }
    ~PngState()
    {
        if (write_)
            png_destroy_write_struct(&png_, &info_);
        else
            png_destroy_read_struct(&png_, &info_, nullptr);
    }
    PngState(const PngState&) = delete;
    PngState& operator=(const PngState&) = delete;

    bool Ready() const { return png_ && info_; }
    png_structp Png() const { return png_; }
    png_infop Info() const { return info_; }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    bool write_ = false;
};

// The libpng calls of a write; false when libpng reported an error.
bool EncodeRows(png_structp png, png_infop info, const BgrPixels& pixels, std::string* out)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, out, AppendBytes, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(pixels.width), static_cast<png_uint_32>(pixels.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, kCompressionLevel);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
    png_write_info(png, info);
    // The framebuffer holds blue first.
    png_set_bgr(png);
    for (int y = 0; y < pixels.height; ++y)
        png_write_row(png, pixels.bits + static_cast<ptrdiff_t>(y) * pixels.stride);
    png_write_end(png, nullptr);
    return true;
}

// Asks libpng for 8-bit RGB whatever the file holds.
void RequestRgb(png_structp png, png_infop info)
{
    int depth = png_get_bit_depth(png, info);
    int colour = png_get_color_type(png, info);
    if (colour == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colour == PNG_COLOR_TYPE_GRAY && depth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (depth == 16)
        png_set_strip_16(png);
    // Expanding a palette turns its transparency chunk into an alpha channel.
    bool paletteAlpha = colour == PNG_COLOR_TYPE_PALETTE && png_get_valid(png, info, PNG_INFO_tRNS);
    if ((colour & PNG_COLOR_MASK_ALPHA) || paletteAlpha)
        png_set_strip_alpha(png);
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
}

// The libpng calls of a read; false when libpng reported an error. The
// image lives in the caller's frame, so the jump skips no destructor.
bool DecodeRows(png_structp png, png_infop info, ReadCursor* cursor, RgbImage* image)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_read_fn(png, cursor, ReadBytes);
    png_set_user_limits(png, kMaxPngSide, kMaxPngSide);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_read_info(png, info);
    RequestRgb(png, info);
    int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    png_uint_32 width = png_get_image_width(png, info);
    png_uint_32 height = png_get_image_height(png, info);
    size_t rowBytes = static_cast<size_t>(width) * 3;
    if (png_get_rowbytes(png, info) != rowBytes)
        png_error(png, "unexpected pixel layout after conversion to RGB");
    image->width = static_cast<int>(width);
    image->height = static_cast<int>(height);
    image->pixels.assign(rowBytes * height, 0);
    // Each interlace pass adds its pixels to the rows the earlier ones left.
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, image->pixels.data() + y * rowBytes, nullptr);
    png_read_end(png, nullptr);
    return true;
}

}  // namespace

bool EncodePng(const BgrPixels& pixels, std::string& png, std::string& error)
{
    if (!pixels.bits || pixels.width <= 0 || pixels.height <= 0 || pixels.stride < pixels.width * 3) {
        error = "no pixels to write";
        return false;
    }
    PngMessages messages;
    PngState state(true, messages);
    if (!state.Ready()) {
        error = "libpng cannot start a write";
        return false;
    }
    std::string out;
    if (!EncodeRows(state.Png(), state.Info(), pixels, &out)) {
        error = "PNG: " + messages.Text();
        return false;
    }
    png = std::move(out);
    return true;
}

bool WritePngFile(const std::filesystem::path& path, const BgrPixels& pixels, std::string& error)
{
    std::string png;
    if (!EncodePng(pixels, png, error))
        return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(png.data(), static_cast<std::streamsize>(png.size()));
    out.close();
    if (!out) {
        error = "cannot write " + path.string();
        return false;
    }
    return true;
}

bool DecodePng(std::string_view png, RgbImage& image, std::string& error)
{
    PngMessages messages;
    PngState state(false, messages);
    if (!state.Ready()) {
        error = "libpng cannot start a read";
        return false;
    }
    ReadCursor cursor{png, 0};
    RgbImage decoded;
    if (!DecodeRows(state.Png(), state.Info(), &cursor, &decoded)) {
        error = "PNG: " + messages.Text();
        return false;
    }
    image = std::move(decoded);
    return true;
}

bool ReadPngFile(const std::filesystem::path& path, RgbImage& image, std::string& error)
{
    std::error_code ec;
    std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) {
        error = "cannot read " + path.string() + ": " + ec.message();
        return false;
    }
    if (size > kMaxFileBytes) {
        error = path.string() + " is too large for a screenshot";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path.string();
        return false;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!DecodePng(bytes, image, error)) {
        error = path.string() + ": " + error;
        return false;
    }
    return true;
}

}  // namespace sim
