#include "gfx/gl_entry.h"

#include <SDL.h>

bool gl_load_entries(const GlEntry *entries, int count)
{
    bool all = true;
    for (int i = 0; i < count; i++) {
        *entries[i].slot = SDL_GL_GetProcAddress(entries[i].name);
        all = all && *entries[i].slot != nullptr;
    }
    return all;
}
