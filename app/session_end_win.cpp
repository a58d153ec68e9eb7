#include "app/session_end.h"

#include <windows.h>

#include <SDL.h>
#include <SDL_syswm.h>

#include "app/shutdown.h"
#include "base/log.h"
#include "video/video.h"

static volatile LONG asked;   // 1 once an end was asked for
static WNDPROC sdl_window_proc;
static AudioStream *kept_stream;

// Runs on a thread of its own. Ctrl+C and Ctrl+Break let the loop end as Quit does; after a
// console's close, a logoff or a shutdown the system ends the process as soon as this
// returns, so it waits here while the main thread keeps the game and exits.
static BOOL WINAPI console_event(DWORD type)
{
    if (InterlockedExchange(&asked, 1) != 0)
        return FALSE;   // a second one: the system's own handling ends the process at once
    if (type == CTRL_C_EVENT || type == CTRL_BREAK_EVENT)
        return TRUE;
    Sleep(INFINITE);
    return TRUE;
}

// The session ends once this returns from WM_ENDSESSION, whatever the loop is doing: the
// game is kept and the process ends right here, on the main thread, inside SDL's pumping.
static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_QUERYENDSESSION)
        return TRUE;
    if (message == WM_ENDSESSION && wparam && kept_stream) {
        InterlockedExchange(&asked, 1);
        log_write("the session ends\n");
        shutdown_keeping_game(*kept_stream);
        ExitProcess(0);
    }
    return CallWindowProcA(sdl_window_proc, window, message, wparam, lparam);
}

void session_end_watch(void)
{
    SetConsoleCtrlHandler(console_event, TRUE);
}

void session_end_window(AudioStream &stream)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    SDL_Window *window = video_window();
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WINDOWS)
        return;
    kept_stream = &stream;
    sdl_window_proc = (WNDPROC)SetWindowLongPtrA(info.info.win.window, GWLP_WNDPROC, (LONG_PTR)window_proc);
}

bool session_end_asked(void)
{
    return asked != 0;
}
