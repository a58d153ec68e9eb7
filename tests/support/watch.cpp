// Watching the code under test: what every platform shares.
#include "support/watch.h"

#include <stdio.h>

#include "base/log.h"
#include "support/res_dir.h"

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
