#include "game/running.h"

static bool paused;
static bool quit;

bool running_paused(void)
{
    return paused;
}

void running_set_paused(bool value)
{
    paused = value;
}

bool running_quit(void)
{
    return quit;
}

void running_set_quit(bool value)
{
    quit = value;
}
