#include "base/log.h"

#include <stdarg.h>

#include <SDL.h>

FILE *log_file = nullptr;

void log_write(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    vfprintf(stdout, format, args);
    fflush(stdout);
    if (log_file) {
        vfprintf(log_file, format, copy);
        fflush(log_file);
    }
    va_end(copy);
    va_end(args);
}

void log_close(void)
{
    if (log_file) {
        fclose(log_file);
        log_file = nullptr;
    }
}
