// swprintf as the component calls it: the layer's counted form on the platform's runtime.
#include <gtest/gtest.h>

#include "pocketpc/PocketPC.h"

namespace {

TEST(FormatTest, FormatsNumbersAndNamesAndAlwaysTerminates)
{
    wchar_t text[16];
    EXPECT_EQ(swprintf(text, 16, L"%d", -2147483647 - 1), 11);
    EXPECT_STREQ(text, L"-2147483648");
    EXPECT_EQ(swprintf(text, 16, L"%d_%ls", 12, L"URL"), 6);
    EXPECT_STREQ(text, L"12_URL");

    // Exactly filling the buffer leaves no room for the NUL: cut, terminated, reported.
    wchar_t small[4] = {L'x', L'x', L'x', L'x'};
    EXPECT_EQ(swprintf(small, 4, L"%d", 1234), -1);
    EXPECT_STREQ(small, L"123");
    EXPECT_EQ(swprintf(small, 4, L"%d", 123), 3);
    EXPECT_STREQ(small, L"123");
    EXPECT_EQ(swprintf(small, 4, L"%ls", L"a much longer name"), -1);
    EXPECT_STREQ(small, L"a m");

    EXPECT_EQ(swprintf(small, 0, L"%d", 1), -1) << "no room at all: nothing written";
    EXPECT_EQ(small[0], L'a');
}

}  // namespace
