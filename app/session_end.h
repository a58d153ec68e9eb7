// The ways the system ends the player besides its own Quit and window: SIGTERM, SIGINT,
// SIGHUP (a terminal closed, a logout) and SIGQUIT; on Windows the session's end (logoff,
// shutdown) and a console's close or Ctrl+C where there is a console. Each ends it as Quit
// does: the game kept for next time, rewind's folder removed, exit code 0. A second one
// while that teardown runs ends the process at once, except SIGHUP, which a closing session
// sends right after SIGTERM.
#pragma once

struct AudioStream;

// At the very start, before SDL: catches those ends (a signal the launcher set to be ignored,
// as nohup does with SIGHUP, stays ignored).
void session_end_watch(void);
// Once the window and the stream exist: Windows ends the process as soon as the window has
// been told the session ends, so the game is kept right then, through stream. Nothing to do
// elsewhere.
void session_end_window(AudioStream &stream);
// One of those ends has been asked for: the loop stops.
bool session_end_asked(void);
