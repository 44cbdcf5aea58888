// Opening, visiting every page and closing the sheet many times leaves nothing behind:
// no GDI object, window, registry key or other kernel handle, no icon.
#include <gtest/gtest.h>

#include "support/Fixtures.h"
#include "support/LeakCounter.h"

namespace {

const int kCycles = 50;

class LeakTest : public SheetTest {
protected:
    // One sheet: every page shown, then OK or Cancel.
    void Cycle(bool apply)
    {
        Show(CORVANE_PAGE_BUTTONS, [apply](driver::Sheet& sheet) {
            for (int page = 0; page < 10; ++page) sheet.Select(page);
            if (apply)
                sheet.Ok();
            else
                sheet.Cancel();
        });
    }

    void ExpectNoGrowth(bool apply)
    {
        WatchIcons(OptionDll());
        // The first cycles let the system load and cache what it keeps for the process.
        Cycle(apply);
        Cycle(apply);
        const LeakCounts before = CountResources();
        for (int i = 0; i < kCycles; ++i) Cycle(apply);
        const LeakCounts after = CountResources();
        SCOPED_TRACE("before: " + Describe(before) + "; after: " + Describe(after));
        EXPECT_GE(before.gdiObjects, 0) << "the GDI handle table could not be read";
        EXPECT_EQ(after.gdiObjects, before.gdiObjects);
        EXPECT_EQ(after.windows, before.windows);
        EXPECT_EQ(after.kernelHandles, before.kernelHandles);
        EXPECT_EQ(after.iconsHeld, before.iconsHeld);
    }
};

TEST(LeakCounterTest, SeesObjectsComeAndGo)
{
    // The thread's first window and first key bring the system's own helpers; let them exist.
    driver::HostWindow();
    HKEY key = NULL;
    RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &key);
    RegCloseKey(key);
    const LeakCounts before = CountResources();
    HFONT font = CreateFontW(12, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma");
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &key);
    const LeakCounts during = CountResources();
    EXPECT_EQ(during.gdiObjects, before.gdiObjects + 1);
    EXPECT_EQ(during.windows, before.windows + 1);
    EXPECT_EQ(during.kernelHandles, before.kernelHandles + 1);
    RegCloseKey(key);
    DestroyWindow(window);
    DeleteObject(font);
    const LeakCounts after = CountResources();
    EXPECT_EQ(after.gdiObjects, before.gdiObjects);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(after.kernelHandles, before.kernelHandles);
}

TEST_F(LeakTest, ApplyCyclesLeaveNothingBehind)
{
    ExpectNoGrowth(true);
}

TEST_F(LeakTest, CancelCyclesLeaveNothingBehind)
{
    ExpectNoGrowth(false);
}

}  // namespace
