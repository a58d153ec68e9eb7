// Entries planted where the player expects its files: a sparse file of a given size, a FIFO
// (which an open for reading waits on), and a folder moved under exe_dir for one call.
#pragma once

#include <stdio.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "base/paths.h"

// A file of bytes zeros at path (sparse: it takes no room), in place of what was there.
inline void plant_zeros(const std::string &path, off_t bytes)
{
    remove(path.c_str());
    FILE *f = fopen(path.c_str(), "wb");
    if (f)
        fclose(f);
    if (!f || truncate(path.c_str(), bytes) != 0)
        ADD_FAILURE() << "cannot plant " << bytes << " bytes at " << path;
}

// A FIFO at path, in place of what was there.
inline void plant_fifo(const std::string &path)
{
    remove(path.c_str());
    if (mkfifo(path.c_str(), 0644) != 0)
        ADD_FAILURE() << "cannot plant a FIFO at " << path;
}

// What run returns while exe_dir names the folder sub (with its trailing separator) inside it.
inline bool with_exe_dir_under(const std::string &sub, const std::function<bool(void)> &run)
{
    const std::string was = exe_dir;
    snprintf(exe_dir, sizeof exe_dir, "%s%s", was.c_str(), sub.c_str());
    const bool result = run();
    snprintf(exe_dir, sizeof exe_dir, "%s", was.c_str());
    return result;
}
