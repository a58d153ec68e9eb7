// The OpenGL presentation path: the picture drawn with GL inside the SDL renderer's
// context, through the CRT program (the TV effect) when smoothing is on.
#pragma once

#include <stdint.h>

// Fetches the fifteen shader entry points; true only when every one resolved.
bool load_gl_entry_points(void);

// Compiles one shader (GL_VERTEX_SHADER or GL_FRAGMENT_SHADER); 0 on failure, with the
// driver's info log written to the log.
uint32_t compile_shader(const char *text, uint32_t type);

// Builds the CRT program from two shader files (relative to the current directory). Returns
// the program name in every case; it is linked only when both shaders compiled.
uint32_t build_crt_program(const char *vertex_path, const char *fragment_path);

// Whether build_crt_program's last program linked and validated, so it may be put in use.
bool crt_program_usable(void);

// Called by init on a renderer whose name begins with "opengl": sets gamestate.gl_path when
// the entry points resolved (shader file or compile failures keep the path, without effect).
void gl_path_setup(void);
