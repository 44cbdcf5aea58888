// The test host: it loads OPTION.dll from its own folder, as the add-on does.
#include <gtest/gtest.h>

#include "support/Fixtures.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Device paths such as \Windows\ name the emulated device's folders on drive C:.
    SetCurrentDirectoryW(L"C:\\");
    if (!OptionDll()) {
        std::fprintf(stderr, "cannot load OPTION.dll (error %lu)\n", GetLastError());
        return 1;
    }
    return RUN_ALL_TESTS();
}
