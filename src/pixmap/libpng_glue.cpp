#include "pixmap/libpng_glue.h"

void PngErrorToLongJump(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void PngIgnoreWarning(png_structp, png_const_charp) {}
