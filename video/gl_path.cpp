#include "video/gl_path.h"

#include "video/gamestate.h"

void gl_path_setup(void)
{
    // The shader path is not built yet: frames go through the SDL renderer.
    gamestate.gl_path = false;
}

void GameState::present_gl()
{
    present_sdl();
}
