#include "app/log.h"

#include <stdarg.h>

#include <SDL.h>

FILE *log_file = nullptr;

void log_write(const char *format, ...)
{
    if (!log_file)
        return;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    vfprintf(stdout, format, args);
    fflush(stdout);
    vfprintf(log_file, format, copy);
    fflush(log_file);
    va_end(copy);
    va_end(args);
}

bool log_open(const char *path)
{
    if (log_file)
        fclose(log_file);
    log_file = fopen(path, "w");
    return log_file != nullptr;
}

void sdl_cleanup(void)
{
    SDL_Quit();
    if (log_file) {
        fclose(log_file);
        log_file = nullptr;
    }
}
