// TGA pictures as anyone may leave them in a theme folder: read from the
// fuzzer's bytes, and the picture checked to be whole.
#include <stdio.h>

#include <cstdlib>

#include "graphics/tga_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (file == NULL)
        return 0;
    AlphaImage* image = NULL;
    int status = ReadTgaStream(file, &image);
    fclose(file);
    if ((status == kTgaRead) != (image != NULL))
        std::abort();
    if (image) {
        // Every pixel is there to read, whatever the file held.
        size_t bytes = (size_t)image->width * image->height * image->bytesPerPixel;
        volatile BYTE sum = 0;
        for (size_t i = 0; i < bytes; ++i)
            sum = (BYTE)(sum + image->pixels[i]);
        FreeAlphaImage(image);
    }
    return 0;
}
