// The log: every progress and error line of the player goes through log_write.
#pragma once

#include <stdint.h>
#include <stdio.h>

#include <string>

// Open log file, or null. Opened by main at start-up, closed by the shutdown routine at process exit.
extern FILE *log_file;

// printf-style; the caller supplies the trailing "\n". Writes to stdout always, and to the
// log file while one is open, so a log that cannot be opened silences nothing.
void log_write(const char *format, ...) __attribute__((format(printf, 1, 2)));

// While text is set, the lines this thread writes are appended to it instead of being
// written, so work done ahead on another thread can show its lines later, where its result
// is used (log_write("%s", text) then). Null writes again.
void log_defer(std::string *text);

// Opens (replacing) the log file at path. Refuses, with a line on stdout, a name it cannot
// create, a symbolic link, and anything but a plain file of one name (a FIFO, a device, a
// hard link to another file), so a planted name cannot redirect the log. False when refused.
bool log_open(const char *path);

// The text log_write wrote last on this process's main path (not a deferred one), without its
// line end: the reason a step's reader gave, for a start-up failure to repeat.
std::string log_last_line(void);

// A line that may repeat every frame (a size the component keeps changing) is written at most
// LOG_RATE_LINES times per LOG_RATE_PERIOD_MS, enough for the changes of a start.
#define LOG_RATE_LINES 3
#define LOG_RATE_PERIOD_MS 1000
struct LogRate {
    uint64_t since_ms;  // start of the current period
    uint32_t lines;     // lines allowed in it
    uint32_t held;      // lines refused; the caller reports and clears it
};
// True when the line may be written at now_ms; otherwise counts it as held.
bool log_rate_allow(LogRate *rate, uint64_t now_ms);

// Flushes and closes the log file, if one is open.
void log_close(void);
