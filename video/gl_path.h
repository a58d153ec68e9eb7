// The OpenGL presentation path (the TV effect).
#pragma once

// Called by init on a renderer whose name begins with "opengl": resolves the shader entry
// points and builds the CRT program; sets gamestate.gl_path when the path is usable.
void gl_path_setup(void);
