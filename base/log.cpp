#include "base/log.h"

#include <stdarg.h>

#include <SDL.h>

FILE *log_file = nullptr;

static thread_local std::string *deferred;   // set by log_defer for this thread
static std::string last_line;                 // set by log_write: the text it wrote last

void log_defer(std::string *text)
{
    deferred = text;
}

// Appends the formatted line to text.
static void append_line(std::string *text, const char *format, va_list args)
{
    va_list again;
    va_copy(again, args);
    int n = vsnprintf(nullptr, 0, format, args);
    if (n > 0) {
        size_t at = text->size();
        text->resize(at + (size_t)n + 1);
        vsnprintf(&(*text)[at], (size_t)n + 1, format, again);
        text->resize(at + (size_t)n);
    }
    va_end(again);
}

void log_write(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    if (deferred) {
        append_line(deferred, format, args);
        va_end(args);
        return;
    }
    va_list copy;
    va_copy(copy, args);
    va_list kept;
    va_copy(kept, args);
    last_line.clear();
    append_line(&last_line, format, kept);
    va_end(kept);
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

std::string log_last_line(void)
{
    std::string line = last_line;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

bool log_rate_allow(LogRate *rate, uint64_t now_ms)
{
    if (rate->lines == 0 || now_ms - rate->since_ms >= LOG_RATE_PERIOD_MS) {
        rate->since_ms = now_ms;
        rate->lines = 0;
    }
    if (rate->lines >= LOG_RATE_LINES) {
        rate->held++;
        return false;
    }
    rate->lines++;
    return true;
}
