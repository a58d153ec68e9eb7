// Platform services, kept in one place so that each platform's build swaps only the source
// file behind this header (platform_posix.cpp, platform_win.cpp): the executable's path,
// the cursor, the window icon and the system picture decoder.
#pragma once

#include <stddef.h>

// The data folder's prefix with the native separator: "res\conf" on Windows, "res/conf"
// elsewhere.
#if defined(_WIN32)
#define RES_DIR "res\\"
#else
#define RES_DIR "res/"
#endif

struct SDL_Window;
struct SDL_Surface;

// The picture formats the system decoder reads, told apart by their signatures.
enum PictureFormat { PICTURE_BMP, PICTURE_GIF, PICTURE_JPEG, PICTURE_PNG };

// Full path of the running executable, or its directory with the trailing separator (at
// most size bytes with the terminator; "" when unknown).
void platform_exe_path(char *out, size_t size);

// Creates the folder at path; false when it could not (one that exists already included).
bool platform_make_dir(const char *path);


// Shows or hides the mouse cursor.
void platform_show_cursor(bool show);

// Sets the icon compiled into the executable on the window.
void platform_set_window_icon(SDL_Window *window);

// True where the start-up may decode its pictures on a worker thread beside the window's
// creation.
bool platform_decode_beside_window(void);

// Decodes a picture held in memory, whose format the caller has told from its signature,
// into a 32-bit surface without alpha, upright, of the picture's pixel size; null on any
// failure. Caller frees it.
SDL_Surface *platform_decode_picture(const void *data, size_t size, PictureFormat format);
