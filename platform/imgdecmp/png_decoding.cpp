// libpng reports errors by jumping back to the step that failed. Each such
// step is a function holding only plain C values, so the jump skips no
// destructor; PngReader's destructor releases what libpng holds.
#include "png_decoding.h"

#include <csetjmp>
#include <vector>

#include <png.h>

#include "resample.h"

namespace imgdecmp {
namespace {

struct PngReader {
    png_structp png = nullptr;
    png_infop info = nullptr;

    ~PngReader() { png_destroy_read_struct(&png, &info, nullptr); }
};

void StopOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

void ReadFromSource(png_structp png, png_bytep out, size_t size)
{
    DataSource* source = static_cast<DataSource*>(png_get_io_ptr(png));
    if (source->Read(out, size) != size)
        png_error(png, "the data ends early");
}

// Every kind of PNG arrives as 8-bit RGBA rows: palettes and grey
// expanded, 16 bits cut to 8, a transparent colour made an alpha channel,
// and opaque pictures given an alpha of 255.
bool ReadHeader(PngReader& reader, DataSource& source, PictureSize& size)
{
    png_structp png = reader.png;
    png_infop info = reader.info;
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_read_fn(png, &source, ReadFromSource);
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    size.width = static_cast<int>(png_get_image_width(png, info));
    size.height = static_cast<int>(png_get_image_height(png, info));
    return png_get_rowbytes(png, info) == size_t(size.width) * 4;
}

bool ReadImage(PngReader& reader, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(reader.png)))
        return false;
    png_read_image(reader.png, rows);
    return true;
}

// Transparent pixels are shown over white, the colour behind pictures on
// the device's pages. The RGBA pixels become RGB in place.
void FlattenOverWhite(Picture& picture)
{
    const BYTE* rgba = picture.rgb.get();
    BYTE* rgb = picture.rgb.get();
    size_t pixels = size_t(picture.width) * picture.height;
    for (size_t i = 0; i < pixels; ++i, rgba += 4, rgb += 3) {
        int alpha = rgba[3];
        for (int c = 0; c < 3; ++c)
            rgb[c] = static_cast<BYTE>((rgba[c] * alpha + 255 * (255 - alpha) + 127) / 255);
    }
}

}  // namespace

std::optional<Picture> DecodePng(DataSource& source, const SizeRequest& request)
{
    PngReader reader;
    reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, StopOnError, IgnoreWarning);
    if (!reader.png)
        return std::nullopt;
    reader.info = png_create_info_struct(reader.png);
    PictureSize size;
    if (!reader.info || !ReadHeader(reader, source, size))
        return std::nullopt;
    std::optional<PictureSize> target = OutputSize(size, request);
    Picture decoded;
    if (!target || !decoded.Allocate(size, 4))
        return std::nullopt;
    std::vector<png_bytep> rows(size.height);
    for (int y = 0; y < size.height; ++y)
        rows[y] = decoded.rgb.get() + size_t(y) * size.width * 4;
    // Chunks after the picture's data are left unread.
    if (!ReadImage(reader, rows.data()))
        return std::nullopt;
    FlattenOverWhite(decoded);
    return Resample(std::move(decoded), *target);
}

}  // namespace imgdecmp
