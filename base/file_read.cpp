#include "base/file_read.h"

#include "base/log.h"

bool read_whole(const char *path, size_t limit, std::vector<unsigned char> &out)
{
    out.clear();
    FILE *f = read_open(path, limit);
    if (!f)
        return false;
    unsigned char chunk[65536];
    size_t n;
    // The size can change after the check; the limit holds for what is really read.
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0 && out.size() <= limit)
        out.insert(out.end(), chunk, chunk + n);
    bool ok = !ferror(f) && out.size() <= limit;
    fclose(f);
    if (!ok) {
        log_write("cannot read %s\n", path);
        out.clear();
    }
    return ok;
}
