// Class level: the component is linked into this executable, whose module holds its resources.
#include <gtest/gtest.h>

#include "host/HostContext.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Device paths such as \Windows\ name the emulated device's folders on drive C:.
    SetCurrentDirectoryW(L"C:\\");
    hostContext.instance = GetModuleHandleW(NULL);
    return RUN_ALL_TESTS();
}
