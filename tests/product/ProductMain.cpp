// The test host: it loads OPTION.dll from its own folder, as the add-on does.
#include <gtest/gtest.h>

#include "support/Fixtures.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Device paths such as \Windows\ name the emulated device's folders on drive C:.
    SetCurrentDirectoryW(L"C:\\");
    // Two taps at one spot within the double-click time make a double tap, so the tests' taps
    // there wait that long apart (a tab strip scrolled to its end puts tab after tab under
    // the stylus). No page takes double taps; a shorter time, for this session only, keeps
    // the taps as separate and the waits short.
    SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, 100, NULL, 0);
    if (!OptionDll()) {
        std::fprintf(stderr, "cannot load OPTION.dll (error %lu)\n", GetLastError());
        return 1;
    }
    return RUN_ALL_TESTS();
}
