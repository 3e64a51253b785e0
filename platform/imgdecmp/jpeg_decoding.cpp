// libjpeg reports errors through a callback that must not return; here it
// jumps back to the step that failed. Each such step is a function holding
// only plain C values, so the jump skips no destructor, and the decoder
// state it leaves behind is released by JpegDecoder's destructor.
#include "jpeg_decoding.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "resample.h"

namespace imgdecmp {
namespace {

// A progressive picture is cheap to enlarge scan by scan; a file with far
// more scans than any encoder writes is refused rather than decoded.
constexpr int kMaxScans = 100;
// libjpeg's own buffers (whole-picture coefficients for progressive files).
constexpr long kMaxDecoderMemory = 512L * 1024 * 1024;

struct JpegErrors {
    jpeg_error_mgr manager;
    jmp_buf escape;
};

struct JpegSource {
    jpeg_source_mgr manager;
    DataSource* data;
};

struct JpegDecoder {
    jpeg_decompress_struct info{};
    JpegErrors errors;
    JpegSource source;
    jpeg_progress_mgr progress;

    ~JpegDecoder() { jpeg_destroy_decompress(&info); }
};

void JumpBack(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->escape, 1); }

// Warnings about damaged data are not printed; the picture is shown as
// far as libjpeg can make it out.
void Ignore(j_common_ptr) {}

void LimitScans(j_common_ptr info)
{
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans)
        JumpBack(info);
}

void StartSource(j_decompress_ptr) {}
void EndSource(j_decompress_ptr) {}

// Data that ends before the picture does is an error, not grey rows.
boolean FillSource(j_decompress_ptr info)
{
    JpegSource* source = reinterpret_cast<JpegSource*>(info->src);
    std::span<const BYTE> piece = source->data->Refill();
    if (piece.empty())
        ERREXIT(info, JERR_INPUT_EOF);
    source->manager.next_input_byte = piece.data();
    source->manager.bytes_in_buffer = piece.size();
    return TRUE;
}

void SkipSource(j_decompress_ptr info, long count)
{
    jpeg_source_mgr* manager = info->src;
    while (count > static_cast<long>(manager->bytes_in_buffer)) {
        count -= static_cast<long>(manager->bytes_in_buffer);
        FillSource(info);
    }
    if (count > 0) {
        manager->next_input_byte += count;
        manager->bytes_in_buffer -= count;
    }
}

bool Open(JpegDecoder& decoder, DataSource& data)
{
    jpeg_decompress_struct& info = decoder.info;
    info.err = jpeg_std_error(&decoder.errors.manager);
    decoder.errors.manager.error_exit = JumpBack;
    decoder.errors.manager.output_message = Ignore;
    if (setjmp(decoder.errors.escape))
        return false;
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kMaxDecoderMemory;
    decoder.progress.progress_monitor = LimitScans;
    info.progress = &decoder.progress;

    std::span<const BYTE> held = data.Peek(0);
    decoder.source.data = &data;
    decoder.source.manager.next_input_byte = held.data();
    decoder.source.manager.bytes_in_buffer = held.size();
    decoder.source.manager.init_source = StartSource;
    decoder.source.manager.fill_input_buffer = FillSource;
    decoder.source.manager.skip_input_data = SkipSource;
    decoder.source.manager.resync_to_restart = jpeg_resync_to_restart;
    decoder.source.manager.term_source = EndSource;
    info.src = &decoder.source.manager;
    jpeg_read_header(&info, TRUE);
    return true;
}

// libjpeg shrinks by n/8 almost for free while decoding; the smallest such
// size that still covers the target leaves the rest to the resampling.
// Sizes round up, so below 8 pixels a side a reduced scale can give the
// full size: that is no shrinking, only a coarser transform, and the full
// scale is kept.
bool Start(JpegDecoder& decoder, PictureSize target)
{
    jpeg_decompress_struct& info = decoder.info;
    if (setjmp(decoder.errors.escape))
        return false;
    bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    info.scale_denom = 8;
    for (info.scale_num = 1; info.scale_num < 8; ++info.scale_num) {
        jpeg_calc_output_dimensions(&info);
        if (info.output_width >= JDIMENSION(target.width) && info.output_height >= JDIMENSION(target.height))
            break;
    }
    if (info.output_width == info.image_width && info.output_height == info.image_height)
        info.scale_num = 8;
    jpeg_start_decompress(&info);
    return true;
}

// CMYK files from Adobe's programs store the inks inverted.
void CmykToRgb(const BYTE* cmyk, BYTE* rgb, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        int k = inverted ? cmyk[3] : 255 - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            int ink = inverted ? cmyk[c] : 255 - cmyk[c];
            rgb[c] = static_cast<BYTE>((ink * k + 127) / 255);
        }
    }
}

// CMYK rows pass through `cmykRow`, one row wide.
bool ReadRows(JpegDecoder& decoder, Picture& picture, BYTE* cmykRow)
{
    jpeg_decompress_struct& info = decoder.info;
    if (setjmp(decoder.errors.escape))
        return false;
    while (info.output_scanline < info.output_height) {
        int y = static_cast<int>(info.output_scanline);
        JSAMPROW row = cmykRow ? cmykRow : picture.Row(y);
        if (jpeg_read_scanlines(&info, &row, 1) != 1)
            return false;
        if (cmykRow)
            CmykToRgb(cmykRow, picture.Row(y), picture.width, info.saw_Adobe_marker);
    }
    return true;
}

}  // namespace

std::optional<Picture> DecodeJpeg(DataSource& source, const SizeRequest& request)
{
    JpegDecoder decoder;
    if (!Open(decoder, source))
        return std::nullopt;
    std::optional<PictureSize> target =
        OutputSize({static_cast<int>(decoder.info.image_width), static_cast<int>(decoder.info.image_height)}, request);
    if (!target || !Start(decoder, *target))
        return std::nullopt;
    Picture decoded;
    if (!decoded.Allocate({static_cast<int>(decoder.info.output_width), static_cast<int>(decoder.info.output_height)}))
        return std::nullopt;
    std::vector<BYTE> cmykRow;
    if (decoder.info.out_color_space == JCS_CMYK)
        cmykRow.resize(size_t(decoder.info.output_width) * 4);
    // Once the last row is in, what follows it (the end marker, say) is
    // left unread: the picture is complete without it.
    if (!ReadRows(decoder, decoded, cmykRow.empty() ? nullptr : cmykRow.data()))
        return std::nullopt;
    return Resample(std::move(decoded), *target);
}

}  // namespace imgdecmp
