// Textured quads in window pixels for the OpenGL presentation and the overlay drawn with GL.
#pragma once

#include <SDL.h>

// One quad as a triangle strip: top-left, top-right, bottom-left, bottom-right, each vertex
// preceded by its texture coordinate.
void gl_quad(float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1);

// Binds texture and draws all of it over (x0, y0)-(x1, y1), with the coordinate scale the
// renderer reports for textures larger than asked; nothing when it cannot be bound.
void gl_texture_quad(SDL_Texture *texture, float x0, float y0, float x1, float y1);
