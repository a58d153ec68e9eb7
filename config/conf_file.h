// The shared key=value file access of res/conf, res/data and res/donf: one open file at a
// time, read by key with the two readers and written line by line.
#pragma once

#include <stdint.h>
#include <stdio.h>

#define CONF_LINE_SIZE 1024   // a read takes at most 1023 characters; longer lines come in pieces
#define CONF_KEY_SIZE 64      // buffer of a composed key such as "btn_1_31_1_joyid"

// The file being read or written, or null. Set by conf_open, cleared by conf_close; the
// loaders and savers of the settings, the game description and the default bindings each
// open, use and close it within one call. While null the readers give their defaults and
// the writer writes nothing.
extern FILE *conf_file;

// Opens exe_dir + name (binary mode) as conf_file. False when the name does not fit the path
// buffer or the file cannot be opened; conf_file is then null.
bool conf_open(const char *name, const char *mode);
// Closes conf_file and sets it to null. False when a write or the close itself failed.
bool conf_close(void);

// Integer of the last line that begins with key "=" and parses as "%i" (sign, decimal,
// 0x hexadecimal or 0 octal); def when no such line parses.
int32_t conf_read_int(const char *key, int32_t def);
// Text of the first line that contains key "=": from after the "=" up to the first tab or
// line feed. def when no line contains it, or when the value is empty or begins with a
// control character or a byte of 128 and above. The result stays valid until the next call.
const char *conf_read_string(const char *key, const char *def);

// Writes the line key "=" value "\n".
void conf_write_int(const char *key, int32_t value);
