// The shared key=value file access of res/conf, res/data and res/donf: one file read at a
// time, looked up by key with the two readers, and written line by line.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#include <string>
#include <vector>

#define CONF_LINE_SIZE 1024   // a read takes at most 1023 characters; longer lines come in pieces
#define CONF_KEY_SIZE 64      // buffer of a composed key such as "btn_1_31_1_joyid"

// Reading: conf_open takes the whole file into memory once, so every lookup works there and
// none touches the disk again. The loaders of the settings, the game description and the
// default bindings each open, read and close within one call. While nothing is open the
// readers give their defaults.

// Reads exe_dir + name: a regular file of at most READ_LIMIT_CONF bytes; a UTF-8 byte-order
// mark at its start is skipped. False (nothing
// open) when the name does not fit the path buffer or the file is missing, not a regular
// file, too large or unreadable; the reason is logged for all but a missing file.
bool conf_open(const char *name);
// The same rules over size bytes of text in memory (copied).
bool conf_open_text(const char *text, size_t size);
// Forgets the text read.
void conf_close(void);

// Integer of the last line that begins with key "=" and parses as "%i" (sign, decimal,
// 0x hexadecimal or 0 octal); def when no such line parses. Keys hold no "=".
int32_t conf_read_int(const char *key, int32_t def);
// Text of the first line that contains key "=": from after the "=" up to the first tab,
// carriage return or line feed. def when no line contains it, or when the value is empty or begins with a
// control character or a byte of 128 and above. The result stays valid until the next call.
const char *conf_read_string(const char *key, const char *def);

// The lines of the text read that begin with prefix, in file order, without their line end
// (lines as the readers see them: a longer one comes in pieces).
std::vector<std::string> conf_lines_starting(const char *prefix);

// Writing: the file conf_write_int writes to, or null (nothing is written). Set by
// settings_save for the duration of its writes.
extern FILE *conf_file;

// Writes the line key "=" value "\n".
void conf_write_int(const char *key, int32_t value);
// Writes line and a line feed.
void conf_write_line(const char *line);
