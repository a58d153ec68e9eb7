#include "support/res_dir.h"

#include <stdio.h>

#include <fstream>
#include <iterator>

std::string ResDir::path(const char *name) const
{
    return dir + name;
}

void ResDir::write(const char *name, const std::string &text) const
{
    FILE *f = fopen(path(name).c_str(), "wb");
    if (!f)
        return;
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
}

std::string read_whole_file(const std::string &file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ResDir::read(const char *name) const
{
    return read_whole_file(path(name));
}
