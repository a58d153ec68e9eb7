// Replacing a state file whole: a reader finds the old state or the new one, never a mix.
// The component links nothing of the player, so this is its own copy of the player's
// routine, one source file per platform.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Writes data to a temporary file with a name of its own beside path, created exclusively and
// never through a link, pushes it to the disk and renames it over path. False on any failure,
// with the old file kept.
bool state_file_replace(const char *path, const uint8_t *data, size_t size);
