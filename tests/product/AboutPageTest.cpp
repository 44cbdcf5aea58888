// The "About" page through the real sheet. Its link is opened through the shell's handler for
// http, which these tests replace with url_recorder.exe (tests/recorder): no browser starts.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <fstream>
#include <sstream>

#include "include/corvane_options.h"
#include "resource.h"
#include "support/Fixtures.h"

namespace {

const wchar_t kRecorder[] = L"url_recorder.exe";

std::wstring ExecutableFolder()
{
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

bool RecorderRunning()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    bool running = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !running; more = Process32NextW(snapshot, &entry))
        running = lstrcmpiW(entry.szExeFile, kRecorder) == 0;
    CloseHandle(snapshot);
    return running;
}

// Makes url_recorder.exe the handler of http addresses for one test; the shell's own handler
// is put back afterwards.
class RecordedLinks {
public:
    RecordedLinks() : saved(HKEY_CLASSES_ROOT, L"http")
    {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        output = std::wstring(temp) + L"corvane-links-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
        DeleteFileW(output.c_str());
        testreg::DeleteTree(HKEY_CLASSES_ROOT, L"http");
        testreg::WriteString(HKEY_CLASSES_ROOT, L"http", NULL, L"URL:HyperText Transfer Protocol");
        testreg::WriteString(HKEY_CLASSES_ROOT, L"http", L"URL Protocol", L"");
        testreg::WriteString(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", NULL,
                             L"\"" + ExecutableFolder() + kRecorder + L"\" \"" + output + L"\" \"%1\"");
    }
    ~RecordedLinks() { DeleteFileW(output.c_str()); }

    struct Opened {
        int show;
        std::string address;
    };
    // What was opened, once every recorder started so far has finished.
    std::vector<Opened> Links() const
    {
        for (int wait = 0; wait < 2000 && RecorderRunning(); ++wait) Sleep(10);
        std::vector<Opened> links;
        std::ifstream file(output.c_str());
        std::string line;
        while (std::getline(file, line)) {
            size_t tab = line.find('\t');
            if (tab == std::string::npos) continue;
            links.push_back({std::atoi(line.substr(0, tab).c_str()), line.substr(tab + 1)});
        }
        return links;
    }

private:
    testreg::SavedKey saved;
    std::wstring output;
};

class AboutPageTest : public SheetTest {};

void Tap(HWND label)
{
    SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

LOGFONTW FontOf(HWND control)
{
    LOGFONTW font = {};
    HFONT handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    EXPECT_NE(handle, nullptr);
    if (handle) GetObjectW(handle, sizeof(font), &font);
    return font;
}

TEST_F(AboutPageTest, ShowsTheProductTheHostsVersionAndTheLink)
{
    driver::HostArgs args = Args(CORVANE_PAGE_ABOUT);
    args.version = L"3.0.7 beta";
    ExpectRanOn(CORVANE_PAGE_ABOUT, Show(args, [&](driver::Sheet& sheet) {
        // The name in two labels, one for each colour.
        const std::wstring first = sheet.Text(IDC_ABOUT_NAME_LABEL);
        const std::wstring second = sheet.Text(IDC_ABOUT_NAME_ACCENT_LABEL);
        EXPECT_EQ(first + second, L"Corvane");
        EXPECT_FALSE(first.empty());
        EXPECT_FALSE(second.empty());
        EXPECT_EQ(sheet.Text(IDC_ABOUT_VERSION_LABEL), L"V3.0.7 beta");
        EXPECT_EQ(sheet.Text(IDC_ABOUT_LINK_LABEL).rfind(L"http://", 0), 0u) << "the product's web address";
    }));
}

TEST_F(AboutPageTest, NameAndVersionAreBoldAndTheLinkIsUnderlinedInItsColours)
{
    ExpectRanOn(CORVANE_PAGE_ABOUT, Show(CORVANE_PAGE_ABOUT, [&](driver::Sheet& sheet) {
        for (int id : {IDC_ABOUT_NAME_LABEL, IDC_ABOUT_NAME_ACCENT_LABEL, IDC_ABOUT_VERSION_LABEL}) {
            const LOGFONTW font = FontOf(sheet.Item(id));
            EXPECT_EQ(font.lfWeight, FW_BOLD) << id;
            EXPECT_EQ(font.lfHeight, -11) << id;
        }
        const LOGFONTW link = FontOf(sheet.Item(IDC_ABOUT_LINK_LABEL));
        EXPECT_EQ(link.lfHeight, -11);
        EXPECT_TRUE(link.lfUnderline);
        // The page DC's default font is the device's system font, a regular Tahoma (the desktop's
        // own default, read here, is a bold "System" font the device does not have).
        EXPECT_EQ(link.lfWeight, FW_NORMAL) << "the link keeps the weight of the font it was made from";
        EXPECT_STREQ(link.lfFaceName, L"Tahoma");
        LOGFONTW pageFont = {};
        HDC pageDc = GetDC(sheet.Page());
        GetObjectW(GetCurrentObject(pageDc, OBJ_FONT), sizeof(pageFont), &pageFont);
        ReleaseDC(sheet.Page(), pageDc);
        EXPECT_STREQ(pageFont.lfFaceName, L"System");

        // The colour each label is drawn in, as the page answers the label's request.
        std::vector<COLORREF> colours;
        std::vector<bool> brushes;
        HDC dc = CreateCompatibleDC(NULL);
        for (int id : {IDC_ABOUT_NAME_LABEL, IDC_ABOUT_NAME_ACCENT_LABEL, IDC_ABOUT_VERSION_LABEL, IDC_ABOUT_LINK_LABEL}) {
            SetTextColor(dc, RGB(1, 2, 3));
            LRESULT brush = SendMessageW(sheet.Page(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(sheet.Item(id)));
            brushes.push_back(brush == reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)));
            colours.push_back(GetTextColor(dc));
        }
        DeleteDC(dc);
        EXPECT_EQ(colours, (std::vector<COLORREF>{RGB(1, 2, 3), 0x004747FF, RGB(1, 2, 3), 0x00FF0000}));
        EXPECT_EQ(brushes, std::vector<bool>(4, true)) << "drawn on the page's white";
    }));
}

TEST_F(AboutPageTest, TappingTheLinkOpensItOnceAndNothingElseOpensIt)
{
    RecordedLinks recorded;
    std::wstring address;
    ExpectRanOn(CORVANE_PAGE_ABOUT, Show(CORVANE_PAGE_ABOUT, [&](driver::Sheet& sheet) {
        HWND label = sheet.Item(IDC_ABOUT_LINK_LABEL);
        address = sheet.Text(IDC_ABOUT_LINK_LABEL);
        // Other notifications from the label: disabled, enabled, double-clicked.
        EnableWindow(label, FALSE);
        EnableWindow(label, TRUE);
        SendMessageW(sheet.Page(), WM_COMMAND, MAKEWPARAM(IDC_ABOUT_LINK_LABEL, STN_DBLCLK), reinterpret_cast<LPARAM>(label));
        Tap(label);
        // A double tap is one tap and a double click: opened once more.
        Tap(label);
        SendMessageW(label, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }));
    // Counted once the sheet has closed: closing it must not open the link either.
    std::vector<RecordedLinks::Opened> links = recorded.Links();
    ASSERT_EQ(links.size(), 2u);
    for (const RecordedLinks::Opened& opened : links) {
        EXPECT_EQ(std::wstring(opened.address.begin(), opened.address.end()), address);
        EXPECT_EQ(opened.show, SW_SHOWNORMAL) << "the browser must not start hidden";
    }
}

TEST_F(AboutPageTest, LongAddressIsOpenedWhole)
{
    RecordedLinks recorded;
    const std::wstring address = L"http://www.corvane.com/" + std::wstring(300, L'a') + L"/download?edition=full";
    ExpectRanOn(CORVANE_PAGE_ABOUT, Show(CORVANE_PAGE_ABOUT, [&](driver::Sheet& sheet) {
        sheet.SetText(IDC_ABOUT_LINK_LABEL, address);
        Tap(sheet.Item(IDC_ABOUT_LINK_LABEL));
    }));
    std::vector<RecordedLinks::Opened> links = recorded.Links();
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(std::wstring(links[0].address.begin(), links[0].address.end()), address);
}

TEST_F(AboutPageTest, OkWritesNothingAndThePageReleasesItsFonts)
{
    // The page's own fonts, which can only be seen released once the page is gone.
    HGDIOBJ link = NULL, header = NULL;
    ExpectOk(Show(CORVANE_PAGE_ABOUT, [&](driver::Sheet& sheet) {
        link = reinterpret_cast<HGDIOBJ>(SendMessageW(sheet.Item(IDC_ABOUT_LINK_LABEL), WM_GETFONT, 0, 0));
        header = reinterpret_cast<HGDIOBJ>(SendMessageW(sheet.Item(IDC_ABOUT_VERSION_LABEL), WM_GETFONT, 0, 0));
        ASSERT_NE(link, nullptr);
        ASSERT_NE(header, nullptr);
        sheet.Ok();
    }));
    EXPECT_TRUE(testreg::ValueNames(HKEY_CURRENT_USER, SettingsPath()).empty());
    EXPECT_EQ(GetObjectType(link), 0u) << "the link font outlives the page";
    EXPECT_EQ(GetObjectType(header), 0u);
}

}  // namespace
