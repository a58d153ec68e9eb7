#include "app/display_lost.h"

// Windows keeps a program's windows when a display goes away, so there is no connection
// to watch.
void display_lost_handler_install(void)
{
}
