// The platform records the component fills, at the device's word size: the x86 build must
// lay them out with the sizes the device's documentation gives (the component fills them
// field by field and passes their size). These are checked when the x86 build compiles, so
// a wrong layout fails the build even where the x86 suite cannot run, and again when it runs.
#include <gtest/gtest.h>

#include <cstddef>

#include "pocketpc/PocketPC.h"

namespace {

#if defined(__i386__) || defined(_M_IX86)
constexpr bool kDeviceWordSize = true;
#else
constexpr bool kDeviceWordSize = false;
#endif

// Page and sheet records: the device's are the first version of the desktop's; the component
// fills only that version's fields, which must all lie inside its documented 40 bytes.
constexpr std::size_t kPageFieldsEnd = offsetof(PROPSHEETPAGEW, pcRefParent) + sizeof(UINT*);
constexpr std::size_t kHeaderFieldsEnd = offsetof(PROPSHEETHEADERW, pfnCallback) + sizeof(PFNPROPSHEETCALLBACK);

#if defined(__i386__) || defined(_M_IX86)
static_assert(sizeof(SHELLEXECUTEINFOW) == 60, "the shell-execute record is 60 bytes on the device");
static_assert(sizeof(LOGFONTW) == 92, "a font's record is 92 bytes");
static_assert(sizeof(BITMAP) == 24, "a bitmap's record is 24 bytes");
static_assert(kPageFieldsEnd == 40, "a page record is 40 bytes");
static_assert(kHeaderFieldsEnd == 40, "a sheet header is 40 bytes");
static_assert(sizeof(SIPINFO) == 48, "the input panel's record is 48 bytes");
static_assert(sizeof(SHMENUBARINFO) == 36, "the menu bar's record is 36 bytes");
static_assert(sizeof(SHINITDLGINFO) == 12, "the dialog set-up record is 12 bytes");
static_assert(sizeof(INITCOMMONCONTROLSEX) == 8, "the controls' set-up record is 8 bytes");
#endif

TEST(RecordSizesTest, RecordsHaveTheDevicesSizesAtItsWordSize)
{
    if (!kDeviceWordSize) GTEST_SKIP() << "the documented sizes are those of 32-bit code";
    EXPECT_EQ(sizeof(void*), 4u);
    EXPECT_EQ(sizeof(SHELLEXECUTEINFOW), 60u);
    EXPECT_EQ(sizeof(LOGFONTW), 92u);
    EXPECT_EQ(sizeof(BITMAP), 24u);
    EXPECT_EQ(kPageFieldsEnd, 40u);
    EXPECT_EQ(kHeaderFieldsEnd, 40u);
    EXPECT_EQ(sizeof(SIPINFO), 48u);
    EXPECT_EQ(sizeof(SHMENUBARINFO), 36u);
    EXPECT_EQ(sizeof(SHINITDLGINFO), 12u);
    EXPECT_EQ(sizeof(INITCOMMONCONTROLSEX), 8u);
}

}  // namespace
