// Rewind: while the rewind control is held (Backspace, or button 8 of a pad, its left stick
// pressed), the game steps back through its last seconds, shown as it goes and silent;
// letting go continues from there. Every REWIND_INTERVAL frames the component saves its
// state into the next file of a ring kept in a private scratch folder (base/scratch.h; the
// component takes a path), sized for REWIND_SECONDS; the oldest states go whenever the bytes
// kept would pass REWIND_MEMORY_CEILING. Loads and resets leave the history alone, so
// rewinding undoes an accidental load. When saving a state costs too much of a frame, the
// component will not save, or one state alone passes the ceiling, rewind switches itself
// off with a notice, and pressing the control while it is off shows that notice again. The
// controls are fixed rather than rebindable: the binding table holds the component's own
// buttons, stored per button in res/conf, and a control of the player's there would change
// what every stored binding line means.
#pragma once

#include <stdint.h>

#include <SDL.h>

#define REWIND_SECONDS 30
#define REWIND_INTERVAL 4                          // frames between two states kept
#define REWIND_MEMORY_CEILING (64ull * 1024 * 1024)
#define REWIND_KEY SDL_SCANCODE_BACKSPACE
#define REWIND_PAD_BUTTON 8                        // a pad's left stick pressed
#define REWIND_SLOW_AFTER 8                        // saves timed before judging their cost

// After start-up: removes the folders of players that have gone, makes the ring's folder and
// sizes the ring for the game's frame rate.
void rewind_init(int32_t fps);
// The pass's frame: false when the control is not held (the caller, which reads the devices,
// runs the game forward); true when this pass stepped back instead, loading the newest
// state kept.
bool rewind_step_back(bool held);
// After the game ran a frame forward: keeps its state every REWIND_INTERVAL frames.
void rewind_record(void);
// The control is held and steps back this pass (the sound is silenced meanwhile).
bool rewind_active(void);
// The bytes of the states kept now.
uint64_t rewind_bytes_kept(void);
// Removes the ring's files and folder.
void rewind_end(void);
