// A throw-away folder with a res/ inside, set as exe_dir so the loaders read and write there.
#pragma once

#include <string>
#include <vector>

// The whole content of a file; "" when it cannot be read.
std::string read_whole_file(const std::string &path);
// A file of the source tree by its name there ("" names the tree, with its trailing '/'),
// found through TEST_SOURCE_DIR, which CTest sets; the current directory without it.
std::string source_file(const char *name);

class ResDir {
public:
    ResDir();                 // creates the folder and points exe_dir at it (a test failure if it cannot)
    ~ResDir();                // removes that folder and what it holds (links, never their targets)
    std::string path(const char *name) const;                 // folder + name
    void write(const char *name, const std::string &text) const;
    std::string read(const char *name) const;                  // "" when missing
    bool exists(const char *name) const;
    void remove(const char *name) const;
    std::vector<std::string> list(const char *folder) const;   // names inside, sorted

private:
    std::string dir;          // with its trailing '/'; "" when the folder could not be made
};
