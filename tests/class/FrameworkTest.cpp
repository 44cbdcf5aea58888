// The dialog and page base classes and the options sheet, driven through real windows.
#include <gtest/gtest.h>

#include "framework/Gdi.h"
#include "framework/OptionsSheet.h"
#include "host/HostContext.h"
#include "resource.h"
#include "support/LeakCounter.h"
#include "support/SheetDriver.h"

namespace {

// A dialog that records what the base classes call.
class RecordingDialog : public Dialog {
public:
    explicit RecordingDialog(HWND parent) : Dialog(IDD_MENU, parent) {}
    void OnOK() override
    {
        ++okCalls;
        Dialog::OnOK();
    }
    void EndDialog(INT_PTR result) override
    {
        endResults.push_back(result);
        Dialog::EndDialog(result);
    }
    int okCalls = 0;
    std::vector<INT_PTR> endResults;
};

class RecordingPage : public PropertyPage {
public:
    explicit RecordingPage(UINT templateId = IDD_MENU, UINT titleId = 0) : PropertyPage(templateId, titleId) {}
    BOOL OnApply() override
    {
        ++applyCalls;
        return TRUE;
    }
    BOOL OnSetActive() override
    {
        ++activeCalls;
        return PropertyPage::OnSetActive();
    }
    int applyCalls = 0;
    int activeCalls = 0;
};

RECT ScreenRect(HWND window)
{
    RECT rc = {};
    GetWindowRect(window, &rc);
    return rc;
}

void ExpectRect(const RECT& rc, int left, int top, int right, int bottom)
{
    EXPECT_EQ(rc.left, left);
    EXPECT_EQ(rc.top, top);
    EXPECT_EQ(rc.right, right);
    EXPECT_EQ(rc.bottom, bottom);
}

TEST(DialogTest, CommandsRouteToOkAndCancel)
{
    RecordingDialog dialog(driver::HostWindow());
    HWND window = dialog.Create();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(dialog.Window(), window);

    EXPECT_EQ(SendMessageW(window, WM_COMMAND, MAKEWPARAM(4321, BN_CLICKED), 0), 0);
    EXPECT_EQ(dialog.okCalls, 0);

    SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(dialog.okCalls, 0);
    ASSERT_EQ(dialog.endResults.size(), 1u);
    EXPECT_EQ(dialog.endResults[0], IDCANCEL);

    SendMessageW(window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(dialog.okCalls, 1);
    ASSERT_EQ(dialog.endResults.size(), 2u);
    EXPECT_EQ(dialog.endResults[1], IDOK);
    DestroyWindow(window);
    EXPECT_EQ(dialog.Window(), nullptr) << "a destroyed window must be unbound from its object";
}

TEST(DialogTest, FullScreenDialogFillsTheDeviceAboveItsOwnMenuBar)
{
    RecordingDialog dialog(driver::HostWindow());
    HWND window = dialog.Create();
    ASSERT_NE(window, nullptr);
    ExpectRect(ScreenRect(window), 0, 26, 240, 294);
    ASSERT_NE(dialog.MenuBar(), nullptr);
    ExpectRect(ScreenRect(dialog.MenuBar()), 0, 294, 240, 320);
    EXPECT_EQ(GetWindow(dialog.MenuBar(), GW_OWNER), window);

    HWND first = dialog.MenuBar();
    dialog.CreateMenuBar(window);
    EXPECT_EQ(dialog.MenuBar(), first) << "a second call must not make a second bar";
    DestroyWindow(window);
    EXPECT_FALSE(IsWindow(first)) << "the bar belongs to its owner";
}

TEST(DialogTest, HeaderFontIsBoldAtElevenPixelsWhateverTheDialogFont)
{
    RecordingDialog dialog(driver::HostWindow());
    HWND window = dialog.Create();
    ASSERT_NE(window, nullptr);
    LOGFONTW font = {};
    ASSERT_TRUE(GetObjectW(dialog.HeaderFont(), sizeof(font), &font));
    EXPECT_EQ(font.lfHeight, -11);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    DestroyWindow(window);
}

TEST(DialogTest, CreatingTheSameDialogAgainKeepsOneHeaderFont)
{
    RecordingDialog dialog(driver::HostWindow());
    HWND first = dialog.Create();
    ASSERT_NE(first, nullptr);
    DestroyWindow(first);
    const long before = CountResources().gdiObjects;
    for (int i = 0; i < 5; ++i) {
        HWND again = dialog.Create();
        ASSERT_NE(again, nullptr);
        ASSERT_NE(dialog.HeaderFont(), nullptr);
        DestroyWindow(again);
    }
    EXPECT_EQ(CountResources().gdiObjects, before) << "each Create replaces the header font it made before";
}

TEST(GdiTest, OwnedHandlesAndSelectionsUndoThemselves)
{
    const long before = CountResources().gdiObjects;
    {
        gdi::Font font(CreateFontW(12, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma"));
        gdi::Brush brush(CreateSolidBrush(RGB(1, 2, 3)));
        gdi::Bitmap bitmap(CreateBitmap(4, 4, 1, 1, NULL));
        ASSERT_TRUE(font && brush && bitmap);
        EXPECT_GT(CountResources().gdiObjects, before);
        font.Reset(CreateFontW(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma"));

        gdi::MemoryDC memory(CreateCompatibleDC(NULL));
        ASSERT_TRUE(memory);
        HGDIOBJ original = GetCurrentObject(memory.Get(), OBJ_BITMAP);
        {
            gdi::Selection selected(memory.Get(), bitmap.Get());
            EXPECT_EQ(GetCurrentObject(memory.Get(), OBJ_BITMAP), bitmap.Get());
        }
        EXPECT_EQ(GetCurrentObject(memory.Get(), OBJ_BITMAP), original) << "the scope's end restores the selection";
    }
    EXPECT_EQ(CountResources().gdiObjects, before) << "fonts, brushes, bitmaps and the DC free themselves";

    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    { gdi::WindowDC first(window); }  // the system makes the window's DC on first use and keeps it
    const long withWindow = CountResources().gdiObjects;
    for (int i = 0; i < 3; ++i) {
        gdi::WindowDC dc(window);
        EXPECT_TRUE(dc);
    }
    EXPECT_EQ(CountResources().gdiObjects, withWindow) << "each DC is released, so the kept one serves again";
    DestroyWindow(window);
}

TEST(DialogTest, MessagesBeforeInitDialogAreNotHandled)
{
    HWND plain = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    EXPECT_EQ(Dialog::StaticDialogProc(plain, WM_COMMAND, IDOK, 0), 0);
    EXPECT_EQ(PropertyPage::StaticPageProc(plain, WM_NOTIFY, 0, 0), 0);
    DestroyWindow(plain);
}

TEST(PropertyPageTest, RecordDescribesThePage)
{
    RecordingPage untitled;
    const PROPSHEETPAGEW& record = untitled.Record();
    EXPECT_EQ(record.dwFlags, 0u);
    EXPECT_EQ(record.pszTitle, nullptr);
    EXPECT_EQ(record.hInstance, hostContext.instance);
    EXPECT_EQ(record.pszTemplate, MAKEINTRESOURCEW(IDD_MENU));
    EXPECT_EQ(record.pfnDlgProc, &PropertyPage::StaticPageProc);
    EXPECT_EQ(record.lParam, reinterpret_cast<LPARAM>(&untitled));
    EXPECT_EQ(untitled.HeaderFont(), nullptr) << "a page never shown has no font";

    RecordingPage titled(IDD_MENU, IDS_SHEET_TITLE);
    EXPECT_EQ(titled.Record().dwFlags, static_cast<DWORD>(PSP_USETITLE));
    EXPECT_EQ(titled.Record().pszTitle, MAKEINTRESOURCEW(IDS_SHEET_TITLE));
}

TEST(PropertyPageTest, ApplyAndActivationReachThePageAndNothingElseDoes)
{
    RecordingPage page;
    HWND window = CreateDialogParamW(hostContext.instance, MAKEINTRESOURCEW(IDD_MENU), driver::HostWindow(),
                                     PropertyPage::StaticPageProc, reinterpret_cast<LPARAM>(&page.Record()));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(page.Window(), window);

    NMHDR header = {window, 0, static_cast<UINT>(PSN_APPLY)};
    EXPECT_EQ(SendMessageW(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)), 0);
    EXPECT_EQ(page.applyCalls, 1);
    header.code = static_cast<UINT>(PSN_SETACTIVE);
    SendMessageW(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(page.activeCalls, 1);
    header.code = static_cast<UINT>(PSN_KILLACTIVE);
    LRESULT result = 1234;
    EXPECT_EQ(page.OnNotify(0, reinterpret_cast<LPARAM>(&header), &result), 0);
    EXPECT_EQ(page.applyCalls, 1);
    EXPECT_EQ(page.activeCalls, 1);
    EXPECT_EQ(result, 1234) << "the message result must stay untouched";
    DestroyWindow(window);
}

TEST(OptionsSheetTest, HeaderAsksForTheFullScreenPocketSheet)
{
    OptionsSheet sheet(IDS_SHEET_TITLE, IDI_PRODUCT, driver::HostWindow(), 6);
    const PROPSHEETHEADERW& header = sheet.Header();
    EXPECT_EQ(header.dwFlags, 8968u);
    EXPECT_EQ(header.pszIcon, MAKEINTRESOURCEW(IDI_PRODUCT));
    EXPECT_EQ(header.pszCaption, MAKEINTRESOURCEW(IDS_SHEET_TITLE));
    EXPECT_EQ(header.hwndParent, driver::HostWindow());
    EXPECT_EQ(header.hInstance, hostContext.instance);
    EXPECT_EQ(header.nStartPage, 6u);
    EXPECT_EQ(header.nPages, 0u);
    EXPECT_EQ(header.pfnCallback, &OptionsSheet::PropSheetProc);
}

TEST(OptionsSheetTest, CallbackAnswersVersionAndTitle)
{
    OptionsSheet sheet(IDS_SHEET_TITLE, IDI_PRODUCT, driver::HostWindow(), 0);
    sheet.SetTitle(L"Corvane Option");
    OptionsSheet::currentSheet = &sheet;
    EXPECT_EQ(OptionsSheet::PropSheetProc(NULL, PSCB_GETVERSION, 0), 0x020C);

    wchar_t title[MAX_PATH];
    EXPECT_EQ(OptionsSheet::PropSheetProc(NULL, PSCB_GETTITLE, reinterpret_cast<LPARAM>(title)), 0);
    EXPECT_STREQ(title, L"Corvane Option");

    wchar_t untouched[8] = L"same";
    EXPECT_EQ(OptionsSheet::PropSheetProc(NULL, PSCB_PRECREATE, reinterpret_cast<LPARAM>(untouched)), 0);
    EXPECT_EQ(OptionsSheet::PropSheetProc(NULL, PSCB_GETLINKTEXT, reinterpret_cast<LPARAM>(untouched)), 0);
    EXPECT_STREQ(untouched, L"same");

    // A title longer than the platform's buffer is cut and terminated inside it.
    std::vector<wchar_t> buffer(MAX_PATH + 8, L'#');
    sheet.SetTitle(std::wstring(400, L't').c_str());
    OptionsSheet::PropSheetProc(NULL, PSCB_GETTITLE, reinterpret_cast<LPARAM>(buffer.data()));
    EXPECT_EQ(wcslen(buffer.data()), static_cast<size_t>(MAX_PATH - 1));
    EXPECT_EQ(buffer[MAX_PATH], L'#');
    OptionsSheet::currentSheet = NULL;
}

TEST(OptionsSheetTest, RunShowsThePagesInOrderAndRestoresTheCurrentSheet)
{
    RecordingPage first(IDD_MENU), second(IDD_TAB_APPEARANCE), third(IDD_ABOUT);
    OptionsSheet outer(IDS_SHEET_TITLE, IDI_PRODUCT, driver::HostWindow(), 1);
    outer.SetTitle(L"Outer");
    outer.AddPage(&first);
    outer.AddPage(&second);
    outer.AddPage(&third);

    RecordingPage innerPage(IDD_VIEW);
    OptionsSheet* seenDuringInner = NULL;
    std::vector<std::wstring> labels;
    std::wstring caption;
    INT_PTR result = driver::RunSheet(outer.Header().hwndParent, [&]() { return outer.Run(); },
        [&](driver::Sheet& sheet) {
            EXPECT_EQ(OptionsSheet::currentSheet, &outer);
            EXPECT_EQ(outer.Window(), sheet.Window());
            EXPECT_EQ(outer.Header().nPages, 3u);
            labels = sheet.TabLabels();
            caption = std::wstring(256, L'\0');
            caption.resize(GetWindowTextW(sheet.Window(), &caption[0], 256));
            EXPECT_EQ(sheet.PageIndex(), 1);

            // A sheet opened while this one runs sees itself, and this one afterwards.
            OptionsSheet inner(IDS_SHEET_TITLE, IDI_PRODUCT, sheet.Window(), 0);
            inner.SetTitle(L"Inner");
            inner.AddPage(&innerPage);
            driver::RunSheet(sheet.Window(), [&]() { return inner.Run(); },
                             [&](driver::Sheet&) { seenDuringInner = OptionsSheet::currentSheet; });
            EXPECT_EQ(seenDuringInner, &inner);
            EXPECT_EQ(OptionsSheet::currentSheet, &outer);
            sheet.Ok();
        });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(OptionsSheet::currentSheet, nullptr);
    EXPECT_EQ(outer.Header().ppsp, nullptr) << "the record array lives only during Run";
    std::vector<std::wstring> expected = {L"Menu", L"Tab 1", L"About"};
    EXPECT_EQ(labels, expected);
    EXPECT_EQ(caption, L"Outer");
    EXPECT_EQ(second.activeCalls, 1);
    EXPECT_EQ(second.applyCalls, 1) << "only the page that was shown is applied";
    EXPECT_EQ(first.applyCalls + third.applyCalls, 0);
}

}  // namespace
