#include "gfx/gl_quad.h"

#include <SDL_opengl.h>

void gl_quad(float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1)
{
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(u0, v0);
    glVertex2f(x0, y0);
    glTexCoord2f(u1, v0);
    glVertex2f(x1, y0);
    glTexCoord2f(u0, v1);
    glVertex2f(x0, y1);
    glTexCoord2f(u1, v1);
    glVertex2f(x1, y1);
    glEnd();
}

void gl_texture_quad(SDL_Texture *texture, float x0, float y0, float x1, float y1)
{
    float u1 = 1.0f, v1 = 1.0f;
    if (SDL_GL_BindTexture(texture, &u1, &v1) != 0)
        return;
    gl_quad(x0, y0, x1, y1, 0.0f, 0.0f, u1, v1);
    SDL_GL_UnbindTexture(texture);
}
