// The button function table, the shell texts and the packing of a button's two codes, and
// the Buttons page's ownership of its row records.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "framework/OptionsSheet.h"
#include "host/HostContext.h"
#include "pages/buttons/ButtonActions.h"
#include "pages/buttons/ButtonsPage.h"
#include "resource.h"
#include "support/Registry.h"
#include "support/SheetDriver.h"

// Every C++ allocation of this test program is counted, so a test can tell whether what a
// sheet run allocated was all released again.
namespace {
std::atomic<long> liveAllocations{0};
}  // namespace

void* operator new(std::size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block) throw std::bad_alloc();
    ++liveAllocations;
    return block;
}

void operator delete(void* block) noexcept
{
    if (!block) return;
    --liveAllocations;
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    operator delete(block);
}

namespace {

TEST(ButtonActionsTest, LabelsAndIndicesFollowTheTableNotTheCodes)
{
    LoadButtonLabels();
    EXPECT_EQ(ActionIndex(0x00), 0);
    EXPECT_EQ(ActionIndex(0x01), 1);
    EXPECT_EQ(ActionIndex(0x40), 12);
    // Previous tab comes before next tab although its code is higher, and the page
    // start and end come after the cursor.
    EXPECT_EQ(ActionIndex(0x49), 19);
    EXPECT_EQ(ActionIndex(0x4A), 20);
    EXPECT_EQ(ActionIndex(0x41), 23);
    EXPECT_EQ(ActionIndex(0x42), 24);
    EXPECT_EQ(ActionIndex(0x50), 28);
    EXPECT_EQ(ActionIndex(0x2A), -1);
    EXPECT_EQ(ActionIndex(0x10020), -1);

    EXPECT_STREQ(ActionLabel(0x49), L"[Corvane] Previous tab");
    EXPECT_STREQ(ActionLabel(0x4A), L"[Corvane] Next tab");
    EXPECT_STREQ(ActionLabel(0x01), L"<None>");
    EXPECT_STREQ(ActionLabel(0x99), L"<No Change>") << "a code the table lacks";
    for (const ButtonAction& action : ButtonActionTable) EXPECT_STRNE(action.label, L"") << action.labelId;
}

TEST(ButtonActionsTest, ShellTextIsTheProgramsFileNameOrTheBuiltInFunction)
{
    EXPECT_EQ(ProgramShellText(L"\\Windows\\calc.exe"), L"calc");
    EXPECT_EQ(ProgramShellText(L"calc"), L"calc");
    EXPECT_EQ(ProgramShellText(L"\\Program Files\\my.app\\run"), L"run");
    EXPECT_EQ(ProgramShellText(L"\\Windows\\archive.tar.gz"), L"archive.tar");
    EXPECT_EQ(ProgramShellText(L"\\Windows\\"), L"");

    LoadButtonLabels();
    EXPECT_EQ(FlagsShellText(1), L"<Start Menu>");
    EXPECT_EQ(FlagsShellText(2), L"<Input Panel>");
    EXPECT_EQ(FlagsShellText(4), L"<Today>");
    EXPECT_EQ(FlagsShellText(9), L"<None>");
    EXPECT_EQ(FlagsShellText(12), L"<Rotate Screen>");
    EXPECT_EQ(FlagsShellText(0), L"");
    EXPECT_EQ(FlagsShellText(3), L"");
    EXPECT_EQ(FlagsShellText(13), L"");
    EXPECT_EQ(FlagsShellText(0xFFFFFFFF), L"");
}

TEST(ButtonActionsTest, ShortRowStoresItsWholeCodeAndHoldRowKeepsTheShortCodesLowByte)
{
    // The short-press code replaces bits 0 to 15 whole and the press-and-hold half stays: an
    // old 0x199 must not turn "[PIE] Back" into 0x120, a code of no function.
    EXPECT_EQ(PackAssignment(0x12345678, 0x20, false), 0x12340020u);
    EXPECT_EQ(PackAssignment(0x199, 0x20, false), 0x20u);
    EXPECT_EQ(PackAssignment(0x00450199, 0x199, false), 0x00450199u);
    EXPECT_EQ(PackAssignment(0x12345678, 0x45, true), 0x00450078u);
    // Short row first, then the press-and-hold row: both codes side by side.
    EXPECT_EQ(PackAssignment(PackAssignment(0xFFFFFFFF, 0x48, false), 0x4B, true), 0x004B0048u);
    EXPECT_EQ(PackAssignment(0, 0, false), 0u);
}

// The Buttons page alone in a sheet, with a few shell buttons.
class ButtonsPageRecordsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        hostContext.vendor = L"CorvaneTests";
        hostContext.product = L"ButtonsPageRecordsTest";
        hostContext.holdUnsupported = 0;
        testreg::DeleteTree(HKEY_CURRENT_USER, kSettings);
        testreg::DeleteTree(HKEY_LOCAL_MACHINE, kShellKeys);
        for (const wchar_t* key : {L"40C1", L"40C2", L"40C3"})
            testreg::WriteString(HKEY_LOCAL_MACHINE, std::wstring(kShellKeys) + L"\\" + key, L"Name", key);
    }
    void TearDown() override { testreg::DeleteTree(HKEY_CURRENT_USER, kSettings); }

    // The change in live allocations over one showing of the page, closed with OK or Cancel.
    long AllocationsLeftBy(bool ok)
    {
        const long before = liveAllocations;
        {
            ButtonsPage* page = new ButtonsPage;
            OptionsSheet sheet(IDS_SHEET_TITLE, IDI_PRODUCT, driver::HostWindow(), 0);
            sheet.AddPage(page);
            int rows = 0;
            driver::RunSheet(driver::HostWindow(), [&]() { return sheet.Run(); }, [&](driver::Sheet& shown) {
                rows = static_cast<int>(SendMessageW(shown.Item(IDC_BUTTONS_LIST), LVM_GETITEMCOUNT, 0, 0));
                if (ok)
                    shown.Ok();
                else
                    shown.Cancel();
            });
            EXPECT_EQ(rows, 6);
            delete page;
        }
        return liveAllocations - before;
    }

    static constexpr const wchar_t* kSettings = L"Software\\CorvaneTests\\ButtonsPageRecordsTest";
    static constexpr const wchar_t* kShellKeys = L"Software\\Microsoft\\Shell\\Keys";
    testreg::SavedKey shellKeys{HKEY_LOCAL_MACHINE, kShellKeys};
};

TEST_F(ButtonsPageRecordsTest, RowRecordsAreReleasedWhetherTheSheetIsAppliedOrCancelled)
{
    AllocationsLeftBy(false);  // whatever is made once per process is made now
    EXPECT_EQ(AllocationsLeftBy(false), 0) << "cancelled";
    EXPECT_EQ(AllocationsLeftBy(true), 0) << "applied";
}

}  // namespace
