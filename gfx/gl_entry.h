// OpenGL entry points beyond what the system's GL library exports, fetched from the current
// context (a GL context must be current).
#pragma once

struct GlEntry {
    void **slot;       // where the address goes
    const char *name;  // the GL function's name
};

// Fills every slot; false when any of them is missing here (the others are still filled).
bool gl_load_entries(const GlEntry *entries, int count);
