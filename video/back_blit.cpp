#include "video/back_blit.h"

#include <SDL_opengl.h>

#include <utility>
#include <vector>

#include "base/log.h"
#include "gfx/gl_entry.h"

static PFNGLGENFRAMEBUFFERSPROC gl_gen_framebuffers;
static PFNGLDELETEFRAMEBUFFERSPROC gl_delete_framebuffers;
static PFNGLBINDFRAMEBUFFERPROC gl_bind_framebuffer;
static PFNGLFRAMEBUFFERTEXTURE2DPROC gl_framebuffer_texture_2d;
static PFNGLCHECKFRAMEBUFFERSTATUSPROC gl_check_framebuffer_status;
static PFNGLBLITFRAMEBUFFERPROC gl_blit_framebuffer;

#define BLIT_ERROR_DRAIN_MAX 8  // error flags a context can hold at once, with room

static GLuint source_texture;      // the copy's pixels uploaded as plain 8-bit BGRA
static GLuint source_framebuffer;  // reads source_texture; 0 when there is none
static bool refused;               // no blits for the current copy

static bool load_entry_points(void)
{
    const GlEntry entries[] = {
        {(void **)&gl_gen_framebuffers, "glGenFramebuffers"},
        {(void **)&gl_delete_framebuffers, "glDeleteFramebuffers"},
        {(void **)&gl_bind_framebuffer, "glBindFramebuffer"},
        {(void **)&gl_framebuffer_texture_2d, "glFramebufferTexture2D"},
        {(void **)&gl_check_framebuffer_status, "glCheckFramebufferStatus"},
        {(void **)&gl_blit_framebuffer, "glBlitFramebuffer"},
    };
    return gl_load_entries(entries, (int)SDL_arraysize(entries));
}

// The copy's GL texture name when it is a plain 2D texture of exactly w x h (the renderer
// reports a coordinate scale of 1 for those alone); otherwise 0.
static GLuint copy_texture_name(SDL_Texture *copy, int w, int h)
{
    float su = 0.0f, sv = 0.0f;
    if (SDL_GL_BindTexture(copy, &su, &sv) != 0)
        return 0;
    GLint name = 0, tw = 0, th = 0;
    if (su == 1.0f && sv == 1.0f) {
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &tw);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &th);
    }
    SDL_GL_UnbindTexture(copy);
    return tw == w && th == h ? (GLuint)name : 0;
}

// A framebuffer reading texture, or 0 when it cannot be read as one. The bindings stay as
// they were.
static GLuint texture_framebuffer(GLuint texture)
{
    GLint draw = 0, read = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &draw);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
    GLuint framebuffer = 0;
    gl_gen_framebuffers(1, &framebuffer);
    gl_bind_framebuffer(GL_FRAMEBUFFER, framebuffer);
    gl_framebuffer_texture_2d(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    bool complete = gl_check_framebuffer_status(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    gl_bind_framebuffer(GL_DRAW_FRAMEBUFFER, (GLuint)draw);
    gl_bind_framebuffer(GL_READ_FRAMEBUFFER, (GLuint)read);
    if (!complete)
        gl_delete_framebuffers(1, &framebuffer);
    return complete ? framebuffer : 0;
}

static bool refuse(const char *reason)
{
    log_write("background strips drawn as quads: %s\n", reason);
    back_blit_release();
    refused = true;
    return false;
}

// The pixels of the framebuffer from (w x h) as 8-bit BGRA, bottom row of the framebuffer
// first. Read in the framebuffer's own preferred layout and swizzled here when that is RGBA:
// a conversion inside a software rasteriser compiles a shader first, which takes many times
// longer than the whole copy.
static std::vector<uint8_t> read_bgra(GLuint from, int w, int h)
{
    GLint read = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
    gl_bind_framebuffer(GL_READ_FRAMEBUFFER, from);
    GLint format = 0, type = 0;
    glGetIntegerv(GL_IMPLEMENTATION_COLOR_READ_FORMAT, &format);
    glGetIntegerv(GL_IMPLEMENTATION_COLOR_READ_TYPE, &type);
    // Contexts older than the query answer with an error instead: BGRA is read then, and the
    // error is not left for the renderer to find (a bounded drain: a lost context may keep
    // answering with one).
    for (int i = 0; i < BLIT_ERROR_DRAIN_MAX && glGetError() != GL_NO_ERROR; i++) {
    }
    bool rgba = format == GL_RGBA && type == GL_UNSIGNED_BYTE;
    std::vector<uint8_t> pixels((size_t)w * h * 4);
    // The renderer sets the packing it needs before each of its own reads.
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadPixels(0, 0, w, h, rgba ? GL_RGBA : GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    gl_bind_framebuffer(GL_READ_FRAMEBUFFER, (GLuint)read);
    if (rgba)
        for (size_t i = 0; i < pixels.size(); i += 4)
            std::swap(pixels[i], pixels[i + 2]);
    return pixels;
}

bool back_blit_ready(SDL_Texture *copy, int w, int h)
{
    if (source_framebuffer)
        return true;
    if (refused)
        return false;
    static bool loaded = load_entry_points();
    if (!loaded)
        return refuse("no framebuffer blits");
    GLuint copy_name = copy_texture_name(copy, w, h);
    if (!copy_name)
        return refuse("the copy is not a plain texture");
    GLuint from = texture_framebuffer(copy_name);
    if (!from)
        return refuse("the copy cannot be read as a framebuffer");
    std::vector<uint8_t> pixels = read_bgra(from, w, h);
    gl_delete_framebuffers(1, &from);

    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGenTextures(1, &source_texture);
    glBindTexture(GL_TEXTURE_2D, source_texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    // The renderer sets the unpacking it needs before each of its own uploads.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, (GLuint)bound);  // the renderer trusts its own bindings
    source_framebuffer = texture_framebuffer(source_texture);
    if (!source_framebuffer)
        return refuse("no framebuffer reads the blit source");
    return true;
}

void back_blit(const SDL_Rect *rects, int n, int h)
{
    if (!source_framebuffer)
        return;
    GLint read = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
    // Blits are clipped by the scissor box, which the renderer may have left on.
    GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);
    gl_bind_framebuffer(GL_READ_FRAMEBUFFER, source_framebuffer);
    // The source is stored top row first, as the renderer stores its targets, and the window
    // bottom row first: a blit that flips the rows is the plain row copy.
    for (int i = 0; i < n; i++) {
        const SDL_Rect &r = rects[i];
        gl_blit_framebuffer(r.x, r.y, r.x + r.w, r.y + r.h, r.x, h - r.y, r.x + r.w, h - r.y - r.h,
                            GL_COLOR_BUFFER_BIT, GL_NEAREST);
    }
    gl_bind_framebuffer(GL_READ_FRAMEBUFFER, (GLuint)read);
    if (scissor)
        glEnable(GL_SCISSOR_TEST);
}

void back_blit_release(void)
{
    if (source_framebuffer)
        gl_delete_framebuffers(1, &source_framebuffer);
    if (source_texture)
        glDeleteTextures(1, &source_texture);
    source_framebuffer = 0;
    source_texture = 0;
    refused = false;
}
