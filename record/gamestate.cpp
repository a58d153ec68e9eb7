#include "record/gamestate.h"

GameState gamestate;
