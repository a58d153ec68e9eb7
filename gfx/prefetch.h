// Pictures the start-up needs, decoded ahead on a worker thread while the main thread makes
// the window and its OpenGL context (which mostly waits for the display), so the first frame
// comes sooner. The loaders take a picture from here when it was asked for and decode it
// themselves otherwise; a picture's log lines appear when it is taken, where the start-up
// would have written them without the worker.
#pragma once

#define PREFETCH_MAX 4

struct SDL_Surface;

enum PrefetchKind {
    PREFETCH_PNG,       // for load_png_surface and load_png_texture
    PREFETCH_PICTURE,   // for load_picture_texture
};

struct PrefetchRequest {
    const char *path;   // as the loader will be given it; copied
    PrefetchKind kind;
};

// Starts decoding the first PREFETCH_MAX requests. False, with nothing asked for, when the
// worker cannot start (the loaders then decode as usual).
bool picture_prefetch_start(const PrefetchRequest *requests, int count);

// For the loaders: when path was asked for as kind and not taken yet, waits for the worker,
// writes the lines its decoding logged, sets *surface (null when the decoding failed; the
// caller frees it) and returns true. False otherwise.
bool picture_prefetch_take(const char *path, PrefetchKind kind, SDL_Surface **surface);

// Waits for the worker and frees what was never taken. At the end of the start-up and at exit.
void picture_prefetch_end(void);
