#include "graphics/alpha_image.h"

void FreeAlphaImage(AlphaImage* image)
{
    if (image == NULL)
        return;
    delete[] image->pixels;
    delete[] image->runs;
    delete image;
}
