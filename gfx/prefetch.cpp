#include "gfx/prefetch.h"

#include <string.h>

#include <string>

#include <SDL.h>

#include "base/log.h"
#include "base/paths.h"
#include "gfx/picture_decode.h"

struct Prefetch {
    char path[PATH_BUFFER_SIZE];
    PrefetchKind kind;
    SDL_Surface *surface;   // written by the worker
    std::string log;        // the lines its decoding wrote, written by the worker
    bool taken;
};

// Written by the main thread before the worker starts and read by it only after the worker
// has been waited for, so no lock is needed.
static Prefetch prefetches[PREFETCH_MAX];
static int prefetch_count;
static SDL_Thread *worker;

static int decode_all(void *)
{
    for (int i = 0; i < prefetch_count; i++) {
        Prefetch &p = prefetches[i];
        log_defer(&p.log);
        p.surface = p.kind == PREFETCH_PNG ? png_surface_decode(p.path) : picture_surface_decode(p.path);
        log_defer(nullptr);
    }
    return 0;
}

static void wait_for_worker(void)
{
    if (worker)
        SDL_WaitThread(worker, nullptr);
    worker = nullptr;
}

bool picture_prefetch_start(const PrefetchRequest *requests, int count)
{
    picture_prefetch_end();
    for (int i = 0; i < count && prefetch_count < PREFETCH_MAX; i++) {
        Prefetch &p = prefetches[prefetch_count];
        int n = snprintf(p.path, sizeof p.path, "%s", requests[i].path);
        if (n < 0 || (size_t)n >= sizeof p.path)
            continue;   // the loader refuses such a name itself
        p.kind = requests[i].kind;
        p.surface = nullptr;
        p.log.clear();
        p.taken = false;
        prefetch_count++;
    }
    worker = prefetch_count ? SDL_CreateThread(decode_all, "prefetch", nullptr) : nullptr;
    if (!worker)
        prefetch_count = 0;
    return worker != nullptr;
}

bool picture_prefetch_take(const char *path, PrefetchKind kind, SDL_Surface **surface)
{
    for (int i = 0; i < prefetch_count; i++) {
        Prefetch &p = prefetches[i];
        if (p.taken || p.kind != kind || strcmp(p.path, path) != 0)
            continue;
        wait_for_worker();
        if (!p.log.empty())
            log_write("%s", p.log.c_str());
        p.taken = true;
        *surface = p.surface;
        p.surface = nullptr;
        return true;
    }
    return false;
}

void picture_prefetch_end(void)
{
    wait_for_worker();
    for (int i = 0; i < prefetch_count; i++) {
        SDL_FreeSurface(prefetches[i].surface);
        prefetches[i].surface = nullptr;
        prefetches[i].log.clear();
    }
    prefetch_count = 0;
}
