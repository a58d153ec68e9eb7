// Opening the files the player reads, so that no file can stall or swamp it: only regular
// files are read (a FIFO, a device or a directory in place of a data file is refused at
// once), and each kind of file has a size limit past which it counts as damaged.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#include <vector>

// Size limits per kind of file, in bytes.
#define READ_LIMIT_CONF (1024 * 1024)         // res/conf, res/donf, res/data
#define READ_LIMIT_SHADER (64 * 1024)         // res/crtv, res/crtf
#define READ_LIMIT_SOUND (16 * 1024 * 1024)   // res/s_hover, res/s_select
#define READ_LIMIT_PICTURE (64 * 1024 * 1024) // res/back, res/splash, res/overlay, res/font, previews
// Files only the component interprets (res/game, the state files): any size the component
// accepts, a disc image's included; they are still checked to be regular files.
#define READ_NO_LIMIT SIZE_MAX

// Opens path for reading without ever waiting: the file must be a regular file of at most
// limit bytes. Null otherwise; the reason is logged. The caller closes the file.
FILE *read_open(const char *path, size_t limit);

// True when path names a regular file of at most limit bytes (checked without waiting).
// Logs the reason when it does not. For files another party opens (the component's).
bool read_check(const char *path, size_t limit);

// True when path names a regular file; nothing is opened or logged. For choosing between
// places a file may be in.
bool file_present(const char *path);

// Reads the whole regular file of at most limit bytes into out; false (reason logged)
// otherwise.
bool read_whole(const char *path, size_t limit, std::vector<unsigned char> &out);
