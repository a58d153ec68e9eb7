#include "xgui/pages.h"

#include "xgui/xgui.h"

void pages_build(void)
{
    xgui_reset();
}

void slot_rows_refresh(void)
{
}
