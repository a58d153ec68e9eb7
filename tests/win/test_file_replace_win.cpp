// Replacing a file whole on Windows: a replacement that fails leaves the old file as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "base/file_replace.h"

static std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

static void write_file(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// A folder of its own under the system's temporary folder, removed with what is left in it.
class ReplaceFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        char base[MAX_PATH];
        ASSERT_NE(GetTempPathA(sizeof base, base), 0u);
        dir = std::string(base) + "player_replace_" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
        target = dir + "\\conf";
        write_file(target, "old content\n");
    }
    void TearDown() override
    {
        WIN32_FIND_DATAA entry;
        HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileA((dir + "\\" + entry.cFileName).c_str());
            } while (FindNextFileA(find, &entry));
            FindClose(find);
        }
        RemoveDirectoryA(dir.c_str());
    }
    // Names in the folder besides the target.
    int other_files() const
    {
        int count = 0;
        WIN32_FIND_DATAA entry;
        HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE)
            return 0;
        do {
            std::string name = entry.cFileName;
            if (name != "." && name != ".." && name != "conf")
                count++;
        } while (FindNextFileA(find, &entry));
        FindClose(find);
        return count;
    }

    std::string dir;
    std::string target;
};

TEST_F(ReplaceFolder, CommitReplacesTheContent)
{
    FileReplace r;
    ASSERT_TRUE(replace_begin(&r, target.c_str()));
    fputs("new content\n", r.file);
    ASSERT_TRUE(replace_commit(&r));
    EXPECT_EQ(read_file(target), "new content\n");
}

// Another program holds the target open without letting it be replaced, so the move fails.
TEST_F(ReplaceFolder, FailedReplaceKeepsTheOldFileWhole)
{
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    FileReplace r;
    ASSERT_TRUE(replace_begin(&r, target.c_str()));
    fputs("new content that must not land\n", r.file);
    EXPECT_FALSE(replace_commit(&r));
    CloseHandle(held);
    EXPECT_EQ(read_file(target), "old content\n");
}

TEST_F(ReplaceFolder, FailedReplaceLeavesNoTemporaryFile)
{
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    FileReplace r;
    ASSERT_TRUE(replace_begin(&r, target.c_str()));
    fputs("new content\n", r.file);
    replace_commit(&r);
    CloseHandle(held);
    EXPECT_EQ(other_files(), 0);
}
