// The emulation component's C interface: the boundary between the player and the machine.
// Everything is called from the main thread. The component is linked by name
// (libox_core.so, run path $ORIGIN), so any build of this interface can be dropped in.
#pragma once

#include <stdint.h>
#include <stdbool.h>

#if defined(_WIN32)
#define OX_API __declspec(dllexport)
#else
#define OX_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

OX_API void        ox_core_init(int sample_rate, int options);  // options bit 0: no battery save
OX_API void        ox_core_shut(void);
OX_API bool        ox_core_load(const char *path);
OX_API void        ox_core_reset(void);
OX_API void        ox_core_emulate(void);                       // exactly one video frame
OX_API int         ox_video_get_screen_width(void);             // nominal picture size
OX_API int         ox_video_get_screen_height(void);
OX_API int         ox_video_get_raster_width(void);             // size of the next rendered picture
OX_API int         ox_video_get_raster_height(void);
OX_API int         ox_video_get_framerate(void);
OX_API void        ox_video_render(void *pixels);               // raster w*h pixels, bytes R,G,B,A
OX_API int         ox_audio_render(int16_t *samples, int capacity);  // stereo frames written
OX_API int         ox_button_get_count(void);                   // answers before ox_core_init
OX_API const char *ox_button_get_name(int button);
OX_API int         ox_button_get_default_keyboard(int button);  // a scancode
OX_API int         ox_button_get_default_joystick(int button);  // a joystick control value
OX_API void        ox_button_set_state(int player, int button, bool pressed);
OX_API bool        ox_state_save(const char *path);
OX_API bool        ox_state_load(const char *path);

#define OX_OPTION_NOSRAM 1

#ifdef __cplusplus
}
#endif
