// The parts of the Windows platform services that are worth checking on their own.
#pragma once

struct SDL_Surface;

// The window icon's side in pixels and its resource in the executable.
#define PLATFORM_ICON_SIDE 48
#define PLATFORM_ICON_RESOURCE 1000

// A picture's physical size (HIMETRIC, 0.01 mm) in pixels on a display of pixels_per_inch,
// rounded to the nearest pixel.
int himetric_to_pixels(long himetric, int pixels_per_inch);

// The icon resource resource_id of the executable as a PLATFORM_ICON_SIDE square 32-bit
// surface with its alpha; null when the executable has no such icon. Caller frees it.
SDL_Surface *icon_resource_surface(int resource_id);

// The system's text for an error code from GetLastError, without its line end.
const char *system_error_text(unsigned long code);
