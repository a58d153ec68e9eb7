// Input and the overlay pages built in process (support/overlay_window.h) and driven as the
// loop drives them (support/pages_driver.h): the component's button calls recorded, the
// devices' reading written by the test, a throw-away res/ as exe_dir, and the running state
// put back after each test.
#pragma once
#include "app/events.h"
#include "config/gameinfo.h"
#include "config/settings.h"
#include "core_api/ox_core.h"
#include "game/running.h"
#include "input/capture.h"
#include "input/pad_nav.h"
#include "support/binding_text.h"
#include "support/button_recorder.h"
#include "support/overlay_window.h"
#include "support/pages_driver.h"
#include "support/virtual_pads.h"
#include "video/video_state.h"
#include "ui/page_widgets.h"
#include "xgui/xgui_internal.h"

class Pages : public ::testing::Test {
protected:
    static inline OverlayWindow *overlay;
    KeptVideo test_video;   // as the suite set it, back after each test
    KeptRunning test_running;
    ResDir res;
    static void SetUpTestSuite()
    {
        overlay = new OverlayWindow;
        ASSERT_TRUE(overlay->open()) << SDL_GetError();
    }
    static void TearDownTestSuite() { delete overlay; }
    void SetUp() override
    {
        devices() = Devices{};
        fixture_buttons = 12;
        sent_buttons.clear();
        settings = Settings();
        settings_set_defaults();
        settings.fullscreen = false;
        gameinfo.players = 1;
        capture_show_player(0);
        pad_nav_poll(pages_now_ms);   // forget what an earlier test left held
    }
    void TearDown() override
    {
        detach_all_pads();
        xgui_set_open(false);
        capture_cancel();
    }
};
