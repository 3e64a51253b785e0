#include "graphics/tga_reader.h"

#include <stdio.h>

// Buffered little-endian reads; past the end of the file every read
// yields zero and Ended() turns true.
class TgaInput {
public:
    explicit TgaInput(FILE* file) : m_file(file), m_next(0), m_filled(0), m_ended(FALSE) {}

    BOOL Ended() const { return m_ended; }

    BYTE Byte()
    {
        if (m_next == m_filled && !Refill())
            return 0;
        return m_buffer[m_next++];
    }

    WORD Word()
    {
        BYTE low = Byte();
        return (WORD)(low | (Byte() << 8));
    }

    // Copies up to count bytes; answers how many there were.
    size_t Bytes(BYTE* target, size_t count)
    {
        size_t copied = 0;
        while (copied < count) {
            if (m_next == m_filled && !Refill())
                break;
            size_t chunk = m_filled - m_next;
            if (chunk > count - copied)
                chunk = count - copied;
            memcpy(target + copied, m_buffer + m_next, chunk);
            m_next += chunk;
            copied += chunk;
        }
        return copied;
    }

    void Skip(size_t count)
    {
        size_t buffered = m_filled - m_next;
        if (count <= buffered) {
            m_next += count;
            return;
        }
        m_next = m_filled;
        fseek(m_file, (long)(count - buffered), SEEK_CUR);
    }

private:
    BOOL Refill()
    {
        m_next = 0;
        m_filled = fread(m_buffer, 1, sizeof(m_buffer), m_file);
        if (m_filled == 0)
            m_ended = TRUE;
        return m_filled != 0;
    }

    FILE* m_file;
    BYTE m_buffer[4096];
    size_t m_next;
    size_t m_filled;
    BOOL m_ended;
};

// Stores one file pixel (B,G,R(,A)) as R,G,B(,A).
static void StorePixel(BYTE* target, const BYTE* filePixel, DWORD bytesPerPixel)
{
    target[0] = filePixel[2];
    target[1] = filePixel[1];
    target[2] = filePixel[0];
    if (bytesPerPixel == 4)
        target[3] = filePixel[3];
}

static void ReadUncompressed(TgaInput& input, AlphaImage* image, size_t pixelCount)
{
    DWORD step = image->bytesPerPixel;
    input.Bytes(image->pixels, pixelCount * step);
    for (size_t i = 0; i < pixelCount; ++i) {
        BYTE* pixel = image->pixels + i * step;
        BYTE blue = pixel[0];
        pixel[0] = pixel[2];
        pixel[2] = blue;
    }
}

// Packets may cross rows; one that would run past the picture stops at
// its end.
static void ReadRunLength(TgaInput& input, AlphaImage* image, size_t pixelCount)
{
    DWORD step = image->bytesPerPixel;
    BYTE filePixel[4] = { 0, 0, 0, 0 };
    size_t done = 0;
    while (done < pixelCount) {
        BYTE header = input.Byte();
        if (input.Ended())
            return;
        size_t count = (header & 0x7F) + 1;
        if (count > pixelCount - done)
            count = pixelCount - done;
        if (header & 0x80) {
            if (input.Bytes(filePixel, step) < step)
                return;
            for (size_t i = 0; i < count; ++i)
                StorePixel(image->pixels + (done + i) * step, filePixel, step);
        } else {
            for (size_t i = 0; i < count; ++i) {
                if (input.Bytes(filePixel, step) < step)
                    return;
                StorePixel(image->pixels + (done + i) * step, filePixel, step);
            }
        }
        done += count;
    }
}

static int Refuse(int status, AlphaImage** image)
{
    FreeAlphaImage(*image);
    *image = NULL;
    return status;
}

int ReadTga(const WCHAR* path, AlphaImage** image)
{
    *image = NULL;
    FILE* file = _wfopen(path, TEXT("rb"));
    if (file == NULL)
        return kTgaCannotOpen;
    int status = ReadTgaStream(file, image);
    fclose(file);
    return status;
}

int ReadTgaStream(FILE* file, AlphaImage** image)
{
    AlphaImage* picture = new AlphaImage;
    memset(picture, 0, sizeof(*picture));
    *image = picture;

    TgaInput input(file);
    BYTE identificationLength = input.Byte();
    input.Byte();  // colour map type
    BYTE imageType = input.Byte();
    if (imageType != 2 && imageType != 10)
        return Refuse(kTgaWrongType, image);

    input.Word();  // first colour map index
    WORD colourMapLength = input.Word();
    BYTE colourMapEntryBits = input.Byte();
    picture->xOrigin = input.Word();
    picture->yOrigin = input.Word();
    picture->width = input.Word();
    picture->height = input.Word();
    picture->bytesPerPixel = input.Byte() / 8;
    if (picture->bytesPerPixel != 3 && picture->bytesPerPixel != 4)
        return Refuse(kTgaWrongDepth, image);
    size_t pixelCount = (size_t)picture->width * picture->height;
    if (pixelCount == 0 || pixelCount > kTgaMaxPixelBytes / picture->bytesPerPixel)
        return Refuse(kTgaWrongSize, image);

    input.Byte();  // descriptor: the origin bit is not looked at
    input.Skip(identificationLength);
    input.Skip((size_t)colourMapLength * colourMapEntryBits / 8);

    picture->pixels = new BYTE[pixelCount * picture->bytesPerPixel]();
    if (imageType == 2)
        ReadUncompressed(input, picture, pixelCount);
    else
        ReadRunLength(input, picture, pixelCount);
    ClassifyAlphaRuns(picture);
    return kTgaRead;
}
