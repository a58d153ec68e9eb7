// Scratch folders on POSIX systems. Every operation on an entry found in a shared folder goes
// through a descriptor opened without following links, and checks the owner on that
// descriptor, so another user's link or folder is never taken for ours.
#include "base/scratch.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <sys/stat.h>

#include "base/log.h"
#include "base/paths.h"

bool scratch_base_fits(mode_t mode, uid_t owner, uid_t me, bool private_only)
{
    if (!S_ISDIR(mode))
        return false;
    if (private_only)
        return owner == me && (mode & 077) == 0;
    return (mode & 022) == 0 || (mode & S_ISVTX) != 0;
}

const char *scratch_env_folder(const char *value, const char *fallback)
{
    return value && value[0] == '/' ? value : fallback;
}

// The folders scratch folders may go in, best first; null entries are unusable.
static int scratch_bases(const char **bases)
{
    const uid_t me = getuid();
    struct stat info;
    int n = 0;
    const char *runtime = scratch_env_folder(getenv("XDG_RUNTIME_DIR"), nullptr);
    if (runtime && stat(runtime, &info) == 0 &&
        scratch_base_fits(info.st_mode, info.st_uid, me, true))
        bases[n++] = runtime;
    if (stat("/dev/shm", &info) == 0 && scratch_base_fits(info.st_mode, info.st_uid, me, false))
        bases[n++] = "/dev/shm";
    const char *tmp = scratch_env_folder(getenv("TMPDIR"), "/tmp");
    if (stat(tmp, &info) == 0 && scratch_base_fits(info.st_mode, info.st_uid, me, false))
        bases[n++] = tmp;
    return n;
}

bool scratch_folder_make_in(const char *base, char *out, size_t size)
{
    // mkdtemp makes the folder itself (mode 0700) and never takes an existing entry.
    int n = snprintf(out, size, "%s/" SCRATCH_PREFIX "%ld-XXXXXX", base, (long)getpid());
    if (n < 0 || (size_t)n + 1 >= size || !mkdtemp(out))
        return false;
    strcat(out, "/");
    return true;
}

bool scratch_folder_make(char *out, size_t size)
{
    const char *bases[3];
    int count = scratch_bases(bases);
    for (int i = 0; i < count; i++) {
        if (scratch_folder_make_in(bases[i], out, size))
            return true;
        log_write("no scratch folder in %s: %s\n", bases[i], strerror(errno));
    }
    out[0] = '\0';
    return false;
}

// Unlinks the entries of the open folder that are not folders (links themselves, never
// what they point at).
static void empty_folder(int folder)
{
    int listing = dup(folder);
    DIR *dir = listing >= 0 ? fdopendir(listing) : nullptr;
    if (!dir) {
        if (listing >= 0)
            close(listing);
        return;
    }
    while (const struct dirent *entry = readdir(dir)) {
        if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
            unlinkat(folder, entry->d_name, 0);
    }
    closedir(dir);
}

// Removes the folder name inside the open folder base when it is a real folder of user me.
static bool remove_own_folder(int base, const char *name, uid_t me)
{
    int folder = openat(base, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0)
        return false;
    struct stat info;
    const bool own = fstat(folder, &info) == 0 && info.st_uid == me;
    if (own)
        empty_folder(folder);
    close(folder);
    return own && unlinkat(base, name, AT_REMOVEDIR) == 0;
}

void scratch_folder_remove(const char *path)
{
    // Without its trailing separator, so that a link in its place is not resolved.
    char folder[PATH_BUFFER_SIZE];
    int n = snprintf(folder, sizeof folder, "%s", path);
    if (n <= 1 || (size_t)n >= sizeof folder)
        return;
    while (n > 1 && folder[n - 1] == '/')
        folder[--n] = '\0';
    remove_own_folder(AT_FDCWD, folder, getuid());
}

// A process of that id still runs (one of another user's included).
static bool process_alive(long pid)
{
    return kill((pid_t)pid, 0) == 0 || errno == EPERM;
}

int scratch_sweep_in(const char *base, uid_t me)
{
    int folder = open(base, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return 0;
    int listing = dup(folder);
    DIR *dir = listing >= 0 ? fdopendir(listing) : nullptr;
    if (!dir) {
        if (listing >= 0)
            close(listing);
        close(folder);
        return 0;
    }
    int removed = 0;
    while (const struct dirent *entry = readdir(dir)) {
        // The owner and the kind are judged on the entry opened, without following it.
        long pid = scratch_name_pid(entry->d_name);
        if (pid > 0 && pid != (long)getpid() && !process_alive(pid))
            removed += remove_own_folder(folder, entry->d_name, me);
    }
    closedir(dir);
    close(folder);
    return removed;
}

int scratch_sweep(void)
{
    const char *bases[3];
    int count = scratch_bases(bases), removed = 0;
    for (int i = 0; i < count; i++)
        removed += scratch_sweep_in(bases[i], getuid());
    return removed;
}
