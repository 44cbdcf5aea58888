// The screen oracle: what the device screen shows must be exactly what a full repaint draws.
// It captures the screen, repaints every window of this thread from scratch, captures again
// and compares. A control that was moved, shown, hidden or enabled without being redrawn,
// or stale pixels left where something was, make the two differ. The blinking caret's
// rectangle is left out. Call it after every step that changes what should be on the screen.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace screen {

// The device screen's pixels (0x00RRGGBB), row by row from the top.
struct Shot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// The whole device screen as it is now (turned or not), or one area of it (screen coordinates).
Shot Capture();
Shot Capture(const RECT& area);
// Saves a shot as a 24-bit BMP.
bool Save(const Shot& shot, const std::wstring& path);

// Passes when the screen shows what a full repaint of this thread's windows draws. On a
// failure the message gives the differing pixels' count and bounds, and both shots are
// saved as BMPs in the folder named by CORVANE_ORACLE_DIR, when set.
::testing::AssertionResult ShowsFullRepaint(const char* step);

// Passes when the raised input panel is on the screen: its window shown above the menu bar,
// and the screen there showing exactly what the panel draws of itself.
::testing::AssertionResult ShowsInputPanel();

}  // namespace screen

// EXPECT_SCREEN_WHOLE("step") after a step of a script.
#define EXPECT_SCREEN_WHOLE(step) EXPECT_TRUE(::screen::ShowsFullRepaint(step))
