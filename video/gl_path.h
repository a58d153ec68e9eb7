// The OpenGL presentation path: the picture drawn with GL inside the SDL renderer's
// context, through the CRT program (the TV effect) when smoothing is on.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Fetches the fifteen shader entry points; true only when every one resolved.
bool load_gl_entry_points(void);

// Compiles one shader (GL_VERTEX_SHADER or GL_FRAGMENT_SHADER); 0 on failure, with the
// driver's info log written to the log.
uint32_t compile_shader(const char *text, uint32_t type);

// The TV effect's shader files res/crtv and res/crtf into vertex and fragment (size bytes
// each): the current folder's when it holds both, so a packager can try other shaders there,
// else the pair in dir (the executable's folder), so a launcher that starts the player from
// another folder keeps the effect. False, with the current folder's names, when neither holds
// both: reading them then logs what is missing.
bool shader_paths(const char *dir, char *vertex, char *fragment, size_t size);

enum { SHADERS_NONE = -1, SHADERS_HERE = 0, SHADERS_BESIDE = 1 };
// Where the pair is read from, given which of its files the current folder and the
// executable's folder hold: the first folder that holds both, else SHADERS_NONE.
int shader_place(bool here_vertex, bool here_fragment, bool beside_vertex, bool beside_fragment);

// Builds the CRT program from two shader files (as shader_paths found them), each a
// regular file of at most READ_LIMIT_SHADER bytes. Returns the program name in every case;
// it is linked only when both shaders compiled.
uint32_t build_crt_program(const char *vertex_path, const char *fragment_path);

// Whether build_crt_program's last program linked, so it may be put in use.
bool crt_program_usable(void);

// Only the desktop OpenGL renderer, named exactly "opengl", can draw the GL path; the GLES
// ones and every other renderer present through the SDL renderer.
bool renderer_takes_gl_path(const char *name);

// Called by init when renderer_takes_gl_path: sets the GL path on when
// the entry points resolved (shader file or compile failures keep the path, without effect).
void gl_path_setup(void);
