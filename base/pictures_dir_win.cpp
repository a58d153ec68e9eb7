// The pictures folder: the system's known Pictures folder, in UTF-8 (the player's code page).
#include "base/pictures_dir.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

bool platform_pictures_dir(char *out, size_t size)
{
    if (size == 0)
        return false;
    out[0] = '\0';
    PWSTR wide = nullptr;
    HRESULT got = SHGetKnownFolderPath(FOLDERID_Pictures, KF_FLAG_CREATE, nullptr, &wide);
    int n = SUCCEEDED(got) ? WideCharToMultiByte(CP_UTF8, 0, wide, -1, out, (int)size, nullptr, nullptr) : 0;
    CoTaskMemFree(wide);
    if (n <= 0) {
        out[0] = '\0';
        return false;
    }
    return true;
}
