#include "decode_picture.h"

#include "jpeg_decoding.h"
#include "png_decoding.h"

namespace imgdecmp {

std::optional<Picture> DecodePicture(DataSource& source, const SizeRequest& request)
{
    std::span<const BYTE> start = source.Peek(4);
    if (start.size() >= 2 && start[0] == 0xFF && start[1] == 0xD8)
        return DecodeJpeg(source, request);
    if (start.size() >= 4 && start[0] == 0x89 && start[1] == 'P' && start[2] == 'N' && start[3] == 'G')
        return DecodePng(source, request);
    return std::nullopt;
}

}  // namespace imgdecmp
