#include "app/session_end.h"

#include <signal.h>
#include <unistd.h>

static volatile sig_atomic_t asked;   // the signal that asked, 0 before any

// A second signal while the game is being kept ends the process at once, but SIGHUP never
// does: a closing session sends it right after SIGTERM, and a closed terminal whenever it goes.
static void on_signal(int sig)
{
    if (asked && sig != SIGHUP)
        _exit(128 + sig);
    asked = sig;
}

void session_end_watch(void)
{
    // Installed before SDL starts, so SDL keeps its own handlers off these (it installs
    // them only over the default), and one path serves all four.
    const int signals[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};
    for (int sig : signals) {
        struct sigaction action;
        if (sigaction(sig, nullptr, &action) != 0 || action.sa_handler == SIG_IGN)
            continue;
        action = {};
        action.sa_handler = on_signal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(sig, &action, nullptr);
    }
}

void session_end_window(AudioStream &stream)
{
    (void)stream;
}

bool session_end_asked(void)
{
    return asked != 0;
}
