// Watching the code under test: what every platform shares.
#include "support/watch.h"

#include <stdio.h>

#include <filesystem>
#include <random>

#include "base/log.h"
#include "support/res_dir.h"

// A fresh file under the system's temporary folder.
LogCapture::LogCapture()
{
    std::error_code error;
    const std::string name = "player_log_" + std::to_string(std::random_device()());
    path = (std::filesystem::temp_directory_path(error) / name).string();
    log_open(path.c_str());
}

LogCapture::~LogCapture()
{
    if (log_file)
        fclose(log_file);
    log_file = nullptr;
    remove(path.c_str());
}

std::string LogCapture::text() const
{
    return read_whole_file(path);
}
