#include "gfx/png_write.h"

#include <png.h>

#include "base/log.h"

// libpng's reasons go to the log with the file's name (its error pointer); an error then
// returns to png_write_rgb's setjmp.
static void png_write_failed(png_structp png, png_const_charp message)
{
    log_write("Error: %s: %s\n", (const char *)png_get_error_ptr(png), message);
    png_longjmp(png, 1);
}

static void png_write_warned(png_structp png, png_const_charp message)
{
    log_write("warning: %s: %s\n", (const char *)png_get_error_ptr(png), message);
}

// Everything libpng touches lives in this one function with plain C types only: an error
// longjmps back to the setjmp below, which would skip any destructor.
bool png_write_rgb(FILE *out, const char *name, const uint8_t *rgb, int32_t w, int32_t h)
{
    if (!rgb || w <= 0 || h <= 0)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, (png_voidp)name, png_write_failed,
                                              png_write_warned);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(png ? &png : nullptr, nullptr);
        log_write("Error: %s: libpng could not start\n", name);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, out);
    png_set_IHDR(png, info, (png_uint_32)w, (png_uint_32)h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < h; y++)
        png_write_row(png, rgb + (size_t)y * (size_t)w * 3);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    // libpng writes through stdio: a full disk shows only in the stream's error flag.
    if (fflush(out) != 0 || ferror(out)) {
        log_write("Error: %s: the picture could not be written\n", name);
        return false;
    }
    return true;
}
