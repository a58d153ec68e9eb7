#include "video/gl_path.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include <SDL.h>
#include <SDL_opengl.h>

#include "base/file_read.h"
#include "base/log.h"
#include "base/paths.h"
#include "xgui/notice_draw.h"
#include "config/settings.h"
#include "gfx/gl_entry.h"
#include "gfx/gl_quad.h"
#include "video/back_fill.h"
#include "video/present.h"
#include "video/video.h"
#include "video/video_state.h"
#include "xgui/xgui.h"

#define GL_INFO_LOG_SIZE 1024

static PFNGLCREATESHADERPROC gl_create_shader;
static PFNGLSHADERSOURCEPROC gl_shader_source;
static PFNGLCOMPILESHADERPROC gl_compile_shader;
static PFNGLGETUNIFORMLOCATIONPROC gl_get_uniform_location;
static PFNGLUNIFORM2FPROC gl_uniform2f;
static PFNGLGETSHADERIVPROC gl_get_shaderiv;
static PFNGLGETSHADERINFOLOGPROC gl_get_shader_info_log;
static PFNGLDELETESHADERPROC gl_delete_shader;
static PFNGLATTACHSHADERPROC gl_attach_shader;
static PFNGLCREATEPROGRAMPROC gl_create_program;
static PFNGLLINKPROGRAMPROC gl_link_program;
static PFNGLVALIDATEPROGRAMPROC gl_validate_program;
static PFNGLGETPROGRAMIVPROC gl_get_programiv;
static PFNGLGETPROGRAMINFOLOGPROC gl_get_program_info_log;
static PFNGLUSEPROGRAMPROC gl_use_program;

static bool crt_linked;  // set by build_crt_program: the program linked

bool load_gl_entry_points(void)
{
    const GlEntry entries[] = {
        {(void **)&gl_create_shader, "glCreateShader"},
        {(void **)&gl_shader_source, "glShaderSource"},
        {(void **)&gl_compile_shader, "glCompileShader"},
        {(void **)&gl_get_uniform_location, "glGetUniformLocation"},
        {(void **)&gl_uniform2f, "glUniform2f"},
        {(void **)&gl_get_shaderiv, "glGetShaderiv"},
        {(void **)&gl_get_shader_info_log, "glGetShaderInfoLog"},
        {(void **)&gl_delete_shader, "glDeleteShader"},
        {(void **)&gl_attach_shader, "glAttachShader"},
        {(void **)&gl_create_program, "glCreateProgram"},
        {(void **)&gl_link_program, "glLinkProgram"},
        {(void **)&gl_validate_program, "glValidateProgram"},
        {(void **)&gl_get_programiv, "glGetProgramiv"},
        {(void **)&gl_get_program_info_log, "glGetProgramInfoLog"},
        {(void **)&gl_use_program, "glUseProgram"},
    };
    return gl_load_entries(entries, (int)SDL_arraysize(entries));
}

uint32_t compile_shader(const char *text, uint32_t type)
{
    const char *word = type == GL_VERTEX_SHADER ? "vertex" : "fragment";
    GLuint shader = gl_create_shader(type);
    if (shader == 0) {
        log_write("Error: Can't create %s shader\n", word);
        return 0;
    }
    gl_shader_source(shader, 1, &text, nullptr);
    gl_compile_shader(shader);
    GLint status = GL_FALSE;
    gl_get_shaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status != GL_TRUE) {
        log_write("Error: Compiling %s shader\n", word);
        char info[GL_INFO_LOG_SIZE] = {0};
        gl_get_shader_info_log(shader, GL_INFO_LOG_SIZE - 1, nullptr, info);
        log_write("%s", info);
        gl_delete_shader(shader);
        return 0;
    }
    return shader;
}

static GLuint load_shader(const char *path, GLenum type, const char *missing)
{
    // A regular file within its limit: a FIFO or an endless file never stalls the start.
    std::vector<unsigned char> text;
    if (!read_whole(path, READ_LIMIT_SHADER, text)) {
        log_write("%s", missing);
        return 0;
    }
    text.push_back('\0');
    return compile_shader((const char *)text.data(), type);
}

static void log_program_info(GLuint program)
{
    char info[GL_INFO_LOG_SIZE] = {0};
    gl_get_program_info_log(program, GL_INFO_LOG_SIZE - 1, nullptr, info);
    if (info[0])
        log_write("%s", info);
}

bool renderer_takes_gl_path(const char *name)
{
    return strcmp(name, "opengl") == 0;
}

uint32_t build_crt_program(const char *vertex_path, const char *fragment_path)
{
    crt_linked = false;
    GLuint program = gl_create_program();
    GLuint vertex = load_shader(vertex_path, GL_VERTEX_SHADER, "Error: Can't load vertex shader\n");
    GLuint fragment =
        load_shader(fragment_path, GL_FRAGMENT_SHADER, "Error: Can't load pixel shader\n");
    if (vertex && fragment) {
        gl_attach_shader(program, vertex);
        gl_attach_shader(program, fragment);
        gl_link_program(program);
        GLint linked = GL_FALSE;
        gl_get_programiv(program, GL_LINK_STATUS, &linked);
        crt_linked = linked == GL_TRUE;
        if (!crt_linked) {
            log_write("Error: Compiling program\n");
            log_program_info(program);
        } else {
            // Validation judges the state bound at this moment, not the state the program
            // is drawn with, and some drivers fail it spuriously: it only informs.
            gl_validate_program(program);
            GLint valid = GL_FALSE;
            gl_get_programiv(program, GL_VALIDATE_STATUS, &valid);
            if (valid != GL_TRUE) {
                log_write("CRT program did not validate; it is used all the same\n");
                log_program_info(program);
            }
        }
    }
    if (vertex)
        gl_delete_shader(vertex);
    if (fragment)
        gl_delete_shader(fragment);
    return program;
}

bool crt_program_usable(void)
{
    return crt_linked;
}

int shader_place(bool here_vertex, bool here_fragment, bool beside_vertex, bool beside_fragment)
{
    if (here_vertex && here_fragment)
        return SHADERS_HERE;
    if (beside_vertex && beside_fragment)
        return SHADERS_BESIDE;
    return SHADERS_NONE;
}

// A file name of place's res/ into out, when it fits and the file is there.
static bool shader_file_present(char *out, size_t size, const char *place, const char *name)
{
    int n = snprintf(out, size, "%s" RES_DIR "%s", place, name);
    return n > 0 && (size_t)n < size && file_present(out);
}

bool shader_paths(const char *dir, char *vertex, char *fragment, size_t size)
{
    char beside_vertex[PATH_BUFFER_SIZE], beside_fragment[PATH_BUFFER_SIZE];
    const bool here_v = shader_file_present(vertex, size, "", "crtv");
    const bool here_f = shader_file_present(fragment, size, "", "crtf");
    const bool beside_v = shader_file_present(beside_vertex, sizeof beside_vertex, dir, "crtv");
    const bool beside_f = shader_file_present(beside_fragment, sizeof beside_fragment, dir, "crtf");
    const int place = shader_place(here_v, here_f, beside_v, beside_f);
    if (place == SHADERS_BESIDE && strlen(beside_vertex) < size && strlen(beside_fragment) < size) {
        snprintf(vertex, size, "%s", beside_vertex);
        snprintf(fragment, size, "%s", beside_fragment);
        return true;
    }
    snprintf(vertex, size, "%s", RES_DIR "crtv");
    snprintf(fragment, size, "%s", RES_DIR "crtf");
    return place == SHADERS_HERE;
}

void gl_path_setup(void)
{
    VideoState &g = video_state();
    log_write("initializing GL extensions\n");
    if (!load_gl_entry_points()) {
        log_write("Error: GL extensions weren't initialized\n");
        return;
    }
    log_write("compiling shaders\n");
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    g.default_program = current;
    char vertex[PATH_BUFFER_SIZE], fragment[PATH_BUFFER_SIZE];
    if (shader_paths(exe_dir, vertex, fragment, sizeof vertex))
        log_write("TV effect shaders: %s, %s\n", vertex, fragment);
    g.crt_program = build_crt_program(vertex, fragment);
    SDL_GL_SetSwapInterval(1);
    g.gl_path = true;
}

// SDL sets its projection and viewport only when it draws itself, which this path never
// does, so a top-left-origin pixel projection of the window is set here every frame.
static void set_window_projection(SDL_Window *window, int w, int h)
{
    int dw = w, dh = h;
    SDL_GL_GetDrawableSize(window, &dw, &dh);
    glViewport(0, 0, dw, dh);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, (double)w, (double)h, 0.0, 0.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void video_present_gl(void)
{
    const VideoState &v = video_state();
    SDL_Renderer *renderer = v.renderer;
    SDL_Texture *back_texture = v.back_texture;
    SDL_Texture *frame_texture = v.frame_texture;
    SDL_Texture *splash_texture = v.splash_texture;
    const int window_w = v.window_w;
    const int window_h = v.window_h;
    const GLuint default_program = v.default_program;
    const GLuint crt_program = v.crt_program;
    // The copy is rendered by SDL, so before any GL drawing of this frame.
    bool copied = back_texture && back_copy_update(renderer, back_texture, window_w, window_h);
    SDL_SetRenderTarget(renderer, nullptr);
    // The copy's strips and the opaque picture cover the window: a clear would only be
    // written over.
    if (!copied)
        SDL_RenderClear(renderer);
    set_window_projection(v.window, window_w, window_h);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);

    SDL_Rect r = picture_rect(window_w, window_h);
    if (back_texture) {
        gl_use_program(default_program);
        if (copied)
            back_draw_gl(window_w, window_h, shown_picture(r));
        else
            gl_texture_quad(back_texture, 0.0f, 0.0f, (float)window_w, (float)window_h);
    }
    float x0 = (float)r.x, y0 = (float)r.y, x1 = (float)(r.x + r.w), y1 = (float)(r.y + r.h);
    if (frame_texture) {
        if (settings.smoothing && crt_linked) {
            gl_use_program(crt_program);
            gl_uniform2f(gl_get_uniform_location(crt_program, "iResolution"), (float)v.screen_w,
                         (float)v.screen_h);
        } else {
            gl_use_program(default_program);
        }
        gl_texture_quad(frame_texture, x0, y0, x1, y1);
    }
    if (splash_texture && splash_drawn(v.splash_frames, xgui_is_open())) {
        // The splash has transparent parts, as on the renderer path: blend it over the picture.
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        gl_texture_quad(splash_texture, x0, y0, x1, y1);
        glDisable(GL_BLEND);
    }
    gl_use_program(default_program);

    xgui_draw_gl(renderer, window_w, window_h);
    notice_draw_gl(renderer, window_w, window_h, r);
    SDL_GL_SwapWindow(v.window);
}
