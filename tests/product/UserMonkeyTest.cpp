// The user monkey: seeded random sessions of real input on the emulated screen. A session
// taps any control of any page (buttons, boxes, lists, combo boxes and their drop-down
// lists, tabs), types text (short and long, some of it outside ASCII), presses keys, answers
// every message box either way, and ends with OK, Cancel, Escape or Enter. Input goes through
// the system's hit-testing and focus (support/RealInput.h), one step per tick of a timer of
// the sheet's own modal loop.
//
// After every step: the process is alive, nothing hangs (a watchdog), no message box waits
// unanswered. After the sheet has closed: Cancel or Escape wrote nothing; after OK every
// stored value has the type and lies in the domain docs/settings.md gives it (read from the
// reference itself, so that it stays the one source), the URL lists hold exactly the rows the
// pages showed at OK, and pages never shown wrote nothing.
//
// The device turns at random moments of a session, and back at its end. The suite runs six
// sessions, picked from the first 24 so that between them every page that
// stores a value is shown and the sheet closed with OK, and closed with Cancel and Escape:
// sessions 1 to 4 alone all ended in Cancel and so could not see a value stored outside its
// domain. A page planted to store one whenever it is shown and closed with OK (the tab
// height, one above its range) fails two of the six. A fault that needs a particular choice
// (the tab count's last item, a URL list of an odd number of rows, both planted so) was not
// found in sessions 1 to 24: that takes the long runs of tools/monkey.sh, which runs any range
// through CORVANE_MONKEY_FIRST and CORVANE_MONKEY_COUNT.
#include <gtest/gtest.h>

#include "include/corvane_options.h"
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "resource.h"
#include "support/Fixtures.h"
#include "support/Random.h"
#include "support/Device.h"
#include "support/Seeds.h"
#include "support/RealInput.h"

namespace {

using testreg::kShellKeys;
using testreg::kInternetSettings;
using testreg::kUserAgent;
using testreg::kPostPlatform;
using testreg::kExplorer;
using testreg::kExplorerMain;

using testrandom::Random;
using testreg::RawValue;
using testreg::ValueMap;

const int kPageCount = CORVANE_PAGE_COUNT;
// The sessions the suite runs (see above), in two tests that can run side by side.
const std::vector<uint64_t> kSuiteSessions = {1, 4, 6, 9};
const std::vector<uint64_t> kMoreSuiteSessions = {23, 24};
const wchar_t kSoundFolder[] = L"C:\\Windows\\";
const wchar_t kBuiltInSound[] = L"CorvaneEvent";

std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t c : text.substr(0, 60)) narrow += c < 128 ? static_cast<char>(c) : '?';
    if (text.size() > 60) narrow += "... (" + std::to_string(text.size()) + " characters)";
    return narrow;
}

// ---------------------------------------------------------------------------------------------
// The reference: what docs/settings.md says each value of the settings key may hold.

struct Domain {
    bool text = false;      // "string", else "DWORD"
    bool ranged = false;    // a DWORD with a range; one without is written by no page
    DWORD low = 0, high = 0;
    int page = -1;          // the page that writes it
};

struct Reference {
    std::map<std::wstring, Domain, testreg::NameLess> values;
    std::set<DWORD> codes;  // the button function codes
    bool loaded = false;
};

// The repository's docs folder, found through the build tree the tests run from.
std::wstring ReferencePath()
{
    wchar_t exe[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, exe, MAX_PATH);
    std::wstring folder = exe;
    folder = folder.substr(0, folder.find_last_of(L'\\'));  // bin
    folder = folder.substr(0, folder.find_last_of(L'\\'));  // the build tree
    std::ifstream cache((folder + L"\\CMakeCache.txt").c_str());
    std::string line;
    const std::string key = "CMAKE_HOME_DIRECTORY:INTERNAL=";
    while (std::getline(cache, line)) {
        if (line.compare(0, key.size(), key) != 0) continue;
        std::string source = line.substr(key.size());
        return L"Z:" + std::wstring(source.begin(), source.end()) + L"/docs/settings.md";
    }
    return folder + L"\\..\\docs\\settings.md";
}

Reference ReadReference()
{
    Reference reference;
    std::ifstream file(ReferencePath().c_str(), std::ios::binary);
    std::string line;
    int page = -1;
    bool codes = false;
    const std::regex heading("^### .*\\(page ([0-9]+)\\)");
    const std::regex row("^\\| \"([A-Za-z]+)\" \\| (DWORD|string) \\| ([^|]*)\\|");
    const std::regex range("([0-9]+) to ([0-9]+)");
    const std::regex code("0x([0-9A-F]{2})");
    while (std::getline(file, line)) {
        std::smatch match;
        if (line.rfind("## ", 0) == 0) page = -1;
        if (std::regex_search(line, match, heading)) page = std::stoi(match[1]);
        if (line.find("Function codes:") != std::string::npos) codes = true;
        if (codes && line.empty() && !reference.codes.empty()) codes = false;
        if (codes && (line.rfind("| 0x", 0) == 0 || line.rfind("| |", 0) == 0)) {
            for (std::sregex_iterator it(line.begin(), line.end(), code), end; it != end; ++it)
                reference.codes.insert(static_cast<DWORD>(std::stoul((*it)[1], nullptr, 16)));
        }
        if (page < 0 || !std::regex_search(line, match, row)) continue;
        Domain domain;
        domain.text = match[2] == "string";
        domain.page = page;
        const std::string bounds = match[3];
        std::smatch limits;
        if (std::regex_search(bounds, limits, range)) {
            domain.ranged = true;
            domain.low = static_cast<DWORD>(std::stoul(limits[1]));
            domain.high = static_cast<DWORD>(std::stoul(limits[2]));
        }
        const std::string name = match[1];
        reference.values[std::wstring(name.begin(), name.end())] = domain;
    }
    reference.loaded = !reference.values.empty() && !reference.codes.empty();
    return reference;
}

// ---------------------------------------------------------------------------------------------
// Windows of the session.

struct Found {
    HWND window = NULL;
    HWND owner = NULL;
    std::wstring className;
};

BOOL CALLBACK FindWindowOfThread(HWND window, LPARAM param)
{
    Found* found = reinterpret_cast<Found*>(param);
    if (!IsWindowVisible(window) || driver::ClassOf(window) != found->className) return TRUE;
    if (found->owner && GetWindow(window, GW_OWNER) != found->owner) return TRUE;
    // A message box is a dialog with the static that holds its text; the sheet has a tab control.
    if (found->className == L"#32770" && !found->owner && !GetDlgItem(window, 0xFFFF)) return TRUE;
    if (found->className == L"#32770" && found->owner && !GetDlgItem(window, 0x3020)) return TRUE;
    found->window = window;
    return FALSE;
}

HWND FindOfThread(const wchar_t* className, HWND owner = NULL)
{
    Found found;
    found.className = className;
    found.owner = owner;
    EnumThreadWindows(GetCurrentThreadId(), FindWindowOfThread, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

HWND MessageBoxShown()
{
    return FindOfThread(L"#32770");
}

// The drop-down list of a combo box, while it is open.
HWND DroppedList()
{
    return FindOfThread(L"ComboLBox");
}

// A URL page's rows as stored: flags and text as the name, and the URL.
std::vector<std::pair<std::wstring, std::wstring>> UrlRows(HWND page)
{
    std::vector<std::pair<std::wstring, std::wstring>> rows;
    HWND list = GetDlgItem(page, IDC_URL_LIST);
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row)
        rows.emplace_back(driver::ListItemText(list, row, 0) + driver::ListItemText(list, row, 1),
                          driver::ListItemText(list, row, 2));
    return rows;
}

// What a person types: mostly words, some punctuation and letters of other scripts.
std::wstring RandomText(Random& r, size_t length)
{
    static const wchar_t kPlain[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ";
    static const wchar_t kMarks[] = L".,:;/%|*?\"'<>()[]{}&=+-_~!@#$^`\\";
    static const wchar_t kOther[] = {0x00E9, 0x00DF, 0x00FC, 0x00DC, 0x0416, 0x044F, 0x05D0, 0x0627,
                                     0x4E2D, 0x6587, 0x3042, 0xFF21, 0x20AC, 0x00F1, 0};
    std::wstring text;
    for (size_t i = 0; i < length; ++i) {
        const uint32_t pool = r.Below(10);
        const wchar_t* chars = pool < 7 ? kPlain : pool < 9 ? kMarks : kOther;
        text.push_back(chars[r.Below(static_cast<uint32_t>(wcslen(chars)))]);
    }
    return text;
}

// ---------------------------------------------------------------------------------------------

class UserMonkeyTest : public SheetTest {
protected:
    struct Before {
        ValueMap settings, alias, service, internetSettings, explorerMain, userAgent, postPlatform;
        std::map<std::wstring, ValueMap, testreg::NameLess> assignments;
        std::vector<std::wstring> buttons;
    };

    // What one session saw, for the checks after it.
    struct Session {
        Random r;
        int steps = 0, budget = 0, endTries = 0;
        bool inStep = false, answering = false, ended = false, forcedClose = false;
        HWND sheet = NULL;
        std::set<int> shown;
        std::map<int, std::vector<std::pair<std::wstring, std::wstring>>> rows;  // URL pages' rows
        int boxes = 0, taps = 0, typed = 0, turns = 0;
        std::string lastAction;
        // When the device turns: a stream of its own, so that the session's other choices are
        // the ones it made before turning was added (its taps aim at controls where they are).
        Random turning;
        explicit Session(uint64_t seed) : r(seed), turning(seed * 2654435761u + 97) {}
    };

    std::string RunSession(uint64_t seed);
    // The device as the next test's process finds it: a last session that left it turned is
    // turned back with a sheet open (with none open, Wine 8.0's wineserver faulted as the
    // process ended).
    void TurnBack();
    void Prepare(Random& r, Before& before);
    void Snapshot(Before& before);
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    static void Step(Session& s);
    static void EndAction(Session& s);
    void CheckAfter(const Session& s, const Before& before, int result);

    static Session* current;
    Reference reference = ReadReference();

    testreg::SavedKey shellKeys{HKEY_LOCAL_MACHINE, kShellKeys};
    testreg::SavedKey internetSettings{HKEY_LOCAL_MACHINE, kInternetSettings};
    testreg::SavedKey explorer{HKEY_CURRENT_USER, kExplorer};
    testreg::SavedKey http{HKEY_CLASSES_ROOT, L"http"};
};
UserMonkeyTest::Session* UserMonkeyTest::current = nullptr;

// A start from nothing, from the default lists, or from random values inside every domain.
void UserMonkeyTest::Prepare(Random& r, Before& before)
{
    testreg::DeleteTree(HKEY_CURRENT_USER, SettingsPath());
    testreg::DeleteTree(HKEY_LOCAL_MACHINE, kUserAgent);
    testreg::DeleteTree(HKEY_LOCAL_MACHINE, std::wstring(kShellKeys) + L"\\40C6");
    if (r.Percent(20)) testreg::WriteString(HKEY_LOCAL_MACHINE, std::wstring(kShellKeys) + L"\\40C6", L"Name", L"Hold");
    testreg::WriteDword(HKEY_LOCAL_MACHINE, kInternetSettings, L"Security_RunScripts", r.Below(2));
    testreg::WriteDword(HKEY_CURRENT_USER, kExplorerMain, L"ShowScriptErrors", r.Below(2));
    testreg::WriteDword(HKEY_LOCAL_MACHINE, kInternetSettings, L"ClearTypeText", r.Below(2));

    const uint32_t start = r.Below(10);
    if (start >= 4) {
        for (int ordinal : {CORVANE_ORDINAL_RESET_ALIASES, CORVANE_ORDINAL_RESET_SERVICES})
            OptionFunction<CorvaneResetListFn>(ordinal)(vendor.c_str(), product.c_str(), L"2.1");
    }
    if (start >= 7) {
        for (const auto& value : reference.values) {
            const Domain& domain = value.second;
            if (domain.text || !domain.ranged) continue;
            WriteDword(value.first.c_str(), domain.low + r.Below(domain.high - domain.low + 1));
        }
        testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"ViewSourceApp", RandomText(r, r.Between(0, 30)));
        testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"EventSoundFile", kBuiltInSound);
        std::vector<DWORD> codes(reference.codes.begin(), reference.codes.end());
        for (const std::wstring& button : testreg::SubkeyNames(HKEY_LOCAL_MACHINE, kShellKeys)) {
            DWORD shortCode = codes[r.Below(static_cast<uint32_t>(codes.size()))];
            DWORD holdCode = shortCode ? codes[1 + r.Below(static_cast<uint32_t>(codes.size() - 1))] : 0;
            testreg::WriteDword(HKEY_CURRENT_USER, SectionPath(L"Keys\\" + button), nullptr, shortCode | (holdCode << 16));
        }
    }
    Snapshot(before);
}

void UserMonkeyTest::Snapshot(Before& before)
{
    before.settings = testreg::Values(HKEY_CURRENT_USER, SettingsPath());
    before.alias = testreg::Values(HKEY_CURRENT_USER, SectionPath(L"Alias"));
    before.service = testreg::Values(HKEY_CURRENT_USER, SectionPath(L"Service"));
    before.internetSettings = testreg::Values(HKEY_LOCAL_MACHINE, kInternetSettings);
    before.explorerMain = testreg::Values(HKEY_CURRENT_USER, kExplorerMain);
    before.userAgent = testreg::Values(HKEY_LOCAL_MACHINE, kUserAgent);
    before.postPlatform = testreg::Values(HKEY_LOCAL_MACHINE, kPostPlatform);
    before.buttons = testreg::SubkeyNames(HKEY_LOCAL_MACHINE, kShellKeys);
    for (const std::wstring& name : testreg::SubkeyNames(HKEY_CURRENT_USER, SectionPath(L"Keys")))
        before.assignments[name] = testreg::Values(HKEY_CURRENT_USER, SectionPath(L"Keys\\" + name));
}

// One tick of the session, from the sheet's own modal loop (or a message box's inside it).
void CALLBACK UserMonkeyTest::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    Session* s = current;
    if (!s || s->ended) return;
    // A message box is answered like any other window: with a tap on one of its buttons.
    if (HWND box = MessageBoxShown()) {
        if (s->answering) return;
        s->answering = true;
        std::vector<int> answers;
        for (int id : {IDOK, IDCANCEL, IDYES, IDNO})
            if (GetDlgItem(box, id) && IsWindowVisible(GetDlgItem(box, id))) answers.push_back(id);
        if (!answers.empty()) {
            ++s->boxes;
            realinput::TapWindow(GetDlgItem(box, answers[s->r.Below(static_cast<uint32_t>(answers.size()))]));
        }
        s->answering = false;
        return;
    }
    if (s->inStep) return;
    if (!s->sheet) {
        s->sheet = FindOfThread(L"#32770", driver::HostWindow());
        if (!s->sheet) return;
    }
    if (!IsWindow(s->sheet) || !IsWindowVisible(s->sheet)) return;
    s->inStep = true;
    Step(*s);
    s->inStep = false;
    // A step returns once its input is handled, message boxes it raised included: one still
    // shown now waits for nobody.
    EXPECT_EQ(MessageBoxShown(), nullptr) << "a message box left unanswered after " << s->lastAction;
}

void UserMonkeyTest::Step(Session& s)
{
    driver::Sheet sheet(s.sheet);
    Random& r = s.r;
    // What the steps so far left: the pages shown, the rows of the URL pages as they are on
    // the screen now.
    for (int page = 0; page < kPageCount; ++page)
        if (sheet.PageWindow(page)) s.shown.insert(page);
    for (int page : {CORVANE_PAGE_ALIAS, CORVANE_PAGE_SERVICE})
        if (HWND window = sheet.PageWindow(page)) s.rows[page] = UrlRows(window);

    // A session starts on the device as it starts: one the last session left turned is turned
    // back once the sheet is open (turned back after its sheet had closed, Wine 8.0's
    // wineserver faulted as the process ended).
    if (s.steps == 0 && GetSystemMetrics(SM_CXSCREEN) != device::Running().width) device::Turn();
    if (s.steps >= s.budget) {
        EndAction(s);
        return;
    }
    ++s.steps;
    if (s.turning.Percent(8)) {
        // The device turns in the person's hands, before whatever they do next.
        s.lastAction = "a turn of the device";
        ++s.turns;
        device::Turn();
    }
    HWND page = sheet.Page();
    if (HWND dropped = DroppedList()) {
        // An open drop-down list: mostly a choice in it.
        if (r.Percent(70)) {
            RECT rc = {};
            GetWindowRect(dropped, &rc);
            s.lastAction = "a tap in a drop-down list";
            realinput::TapAt(rc.left + 2 + r.Below(std::max<LONG>(1, rc.right - rc.left - 4)),
                             rc.top + 2 + r.Below(std::max<LONG>(1, rc.bottom - rc.top - 4)));
            return;
        }
    }
    const uint32_t action = r.Below(100);
    if (action < 40 && page) {
        // A tap on one of the page's visible controls, anywhere on it.
        std::vector<HWND> controls;
        for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (IsWindowVisible(child) && GetDlgCtrlID(child) != -1 && GetDlgCtrlID(child) != 0xFFFF) controls.push_back(child);
        if (controls.empty()) return;
        HWND control = controls[r.Below(static_cast<uint32_t>(controls.size()))];
        RECT rc = {};
        GetWindowRect(control, &rc);
        const int width = std::max<int>(1, rc.right - rc.left), height = std::max<int>(1, rc.bottom - rc.top);
        s.lastAction = "a tap on control " + std::to_string(GetDlgCtrlID(control));
        ++s.taps;
        realinput::TapAt(rc.left + static_cast<int>(r.Below(width)), rc.top + static_cast<int>(r.Below(height)));
    } else if (action < 50 && page) {
        RECT rc = {};
        GetWindowRect(page, &rc);
        s.lastAction = "a tap on the page";
        ++s.taps;
        realinput::TapAt(rc.left + static_cast<int>(r.Below(rc.right - rc.left)),
                         rc.top + static_cast<int>(r.Below(rc.bottom - rc.top)));
    } else if (action < 62) {
        const int tab = static_cast<int>(r.Below(kPageCount));
        s.lastAction = "a tap on tab " + std::to_string(tab);
        sheet.TapTab(tab);
    } else if (action < 80) {
        const std::wstring text = RandomText(r, r.Between(1, 12));
        s.lastAction = "typing " + Narrow(text);
        s.typed += static_cast<int>(text.size());
        realinput::PressKeys(text);
    } else if (action < 85) {
        const std::wstring text = RandomText(r, r.Between(2000, 2600));
        s.lastAction = "typing " + Narrow(text);
        s.typed += static_cast<int>(text.size());
        realinput::TypeAtOnce(text);
    } else {
        const WORD keys[] = {VK_DOWN, VK_UP, VK_SPACE, VK_BACK, VK_DELETE, VK_HOME, VK_END, VK_LEFT, VK_RIGHT, VK_TAB};
        const WORD key = r.Pick(keys);
        s.lastAction = "key " + std::to_string(key);
        realinput::PressKey(key);
    }
}

// The end of a session: OK, Cancel, Escape or Enter, as many times as it takes (an open drop-down
// list takes the first Escape or Enter itself).
void UserMonkeyTest::EndAction(Session& s)
{
    driver::Sheet sheet(s.sheet);
    if (++s.endTries > 8) {
        // Input could not close the sheet: a fault of its own, and the session ends anyway.
        ADD_FAILURE() << "the sheet did not close after eight tries of OK, Cancel, Escape and Enter";
        s.forcedClose = true;
        s.ended = true;
        sheet.Cancel();
        return;
    }
    switch (s.r.Below(4)) {
    case 0:
        s.lastAction = "a tap on OK";
        realinput::TapWindow(GetDlgItem(s.sheet, IDOK));
        break;
    case 1:
        s.lastAction = "a tap on Cancel";
        realinput::TapWindow(GetDlgItem(s.sheet, IDCANCEL));
        break;
    case 2:
        s.lastAction = "Escape";
        realinput::PressKey(VK_ESCAPE);
        break;
    default:
        s.lastAction = "Enter";
        realinput::PressKey(VK_RETURN);
        break;
    }
}

void UserMonkeyTest::TurnBack()
{
    if (GetSystemMetrics(SM_CXSCREEN) == device::Running().width) return;
    Show(CORVANE_PAGE_BUTTONS, [](driver::Sheet&) { EXPECT_TRUE(device::Turn()) << "the device turns back"; });
}

std::string UserMonkeyTest::RunSession(uint64_t seed)
{
    SCOPED_TRACE("session " + std::to_string(seed));
    Session s(seed);
    Random& r = s.r;
    Before before;
    Prepare(r, before);

    driver::HostArgs args = Args(r.Between(0, kPageCount - 1));
    args.holdUnsupported = r.Percent(25) ? 1 : 0;
    args.platformLevel = r.Pick({1, 2, 3, 5, 6});
    s.budget = r.Between(3, 45);

    driver::ShowOptionsFn showOptions = OptionFunction<driver::ShowOptionsFn>(CORVANE_ORDINAL_SHOW_OPTIONS);
    int result = -1;
    {
        driver::Watchdog watchdog(120000, "a monkey session hung");
        current = &s;
        const UINT_PTR timer = SetTimer(NULL, 0, 15, Tick);
        int reserved = 0;
        result = showOptions(driver::HostWindow(), args.holdUnsupported, args.platformLevel, 0, &reserved, args.vendor,
                             args.product, args.version, args.startPage);
        KillTimer(NULL, timer);
        s.ended = true;
        current = nullptr;
    }
    EXPECT_EQ(MessageBoxShown(), nullptr) << "a message box outlived the sheet";
    CheckAfter(s, before, result);
    std::string summary = (result & 0xFFFF) == 1 ? "OK" : "Cancel";
    summary += " by " + s.lastAction + " after " + std::to_string(s.steps) + " steps (" + std::to_string(s.taps) +
               " taps, " + std::to_string(s.typed) + " characters, " + std::to_string(s.boxes) + " message boxes, " +
               std::to_string(s.turns) + " turns), pages ";
    for (int page : s.shown) summary += std::to_string(page);
    return summary;
}

void UserMonkeyTest::CheckAfter(const Session& s, const Before& before, int result)
{
    ASSERT_TRUE(reference.loaded) << "docs/settings.md was not found or not understood";
    const ValueMap settings = testreg::Values(HKEY_CURRENT_USER, SettingsPath());
    const bool ok = (result & 0xFFFF) == 1;
    if (s.forcedClose) return;
    if (!ok) {
        // Cancel and Escape write nothing anywhere.
        EXPECT_TRUE(settings == before.settings) << "Cancel changed the settings key";
        EXPECT_TRUE(testreg::Values(HKEY_CURRENT_USER, SectionPath(L"Alias")) == before.alias) << "Cancel changed Alias";
        EXPECT_TRUE(testreg::Values(HKEY_CURRENT_USER, SectionPath(L"Service")) == before.service)
            << "Cancel changed Service";
        for (const auto& assignment : before.assignments)
            EXPECT_TRUE(testreg::Values(HKEY_CURRENT_USER, SectionPath(L"Keys\\" + assignment.first)) == assignment.second)
                << "Cancel changed an assignment";
        EXPECT_EQ(testreg::SubkeyNames(HKEY_CURRENT_USER, SectionPath(L"Keys")).size(), before.assignments.size());
        EXPECT_TRUE(testreg::Values(HKEY_LOCAL_MACHINE, kInternetSettings) == before.internetSettings);
        EXPECT_TRUE(testreg::Values(HKEY_CURRENT_USER, kExplorerMain) == before.explorerMain);
        EXPECT_TRUE(testreg::Values(HKEY_LOCAL_MACHINE, kUserAgent) == before.userAgent);
        return;
    }

    // Every value the reference documents, by the page that writes it.
    for (const auto& entry : reference.values) {
        const std::wstring& name = entry.first;
        const Domain& domain = entry.second;
        auto now = settings.find(name);
        auto then = before.settings.find(name);
        const bool written = s.shown.count(domain.page) && (domain.text || domain.ranged);
        if (!written) {
            // A page never shown, or a value no page writes: as it was.
            const bool same = now == settings.end() ? then == before.settings.end()
                                                    : then != before.settings.end() && now->second == then->second;
            EXPECT_TRUE(same) << Narrow(name) << " changed although page " << domain.page << " was never shown";
            continue;
        }
        if (now == settings.end()) {
            ADD_FAILURE() << Narrow(name) << " was not written by page " << domain.page;
            continue;
        }
        const RawValue& value = now->second;
        if (domain.text) {
            const size_t characters = value.data.size() / 2;
            std::wstring units(characters, L'\0');
            if (characters) memcpy(&units[0], value.data.data(), characters * 2);
            EXPECT_TRUE(value.type == REG_SZ && value.data.size() % 2 == 0 && characters > 0 &&
                        units.find(L'\0') == characters - 1)
                << Narrow(name) << " is not one text with its NUL";
            if (name == L"EventSoundFile") {
                const std::wstring sound = units.c_str();
                const bool listed = sound == kBuiltInSound ||
                                    GetFileAttributesW((kSoundFolder + sound + L".wav").c_str()) != INVALID_FILE_ATTRIBUTES;
                EXPECT_TRUE(listed) << "\"EventSoundFile\" " << Narrow(sound) << " is no sound the page lists";
            }
            continue;
        }
        DWORD number = 0;
        EXPECT_TRUE(value.type == REG_DWORD && value.data.size() == 4) << Narrow(name) << " is not a DWORD";
        if (value.data.size() == 4) memcpy(&number, value.data.data(), 4);
        EXPECT_TRUE(number >= domain.low && number <= domain.high)
            << Narrow(name) << " = " << number << ", outside " << domain.low << " to " << domain.high;
    }
    for (const auto& value : settings)
        EXPECT_TRUE(reference.values.count(value.first) || before.settings.count(value.first))
            << Narrow(value.first) << " is written but not documented";

    // The URL lists hold exactly the rows their pages showed at OK.
    for (int page : {CORVANE_PAGE_ALIAS, CORVANE_PAGE_SERVICE}) {
        const wchar_t* subkey = page == CORVANE_PAGE_ALIAS ? L"Alias" : L"Service";
        const ValueMap stored = testreg::Values(HKEY_CURRENT_USER, SectionPath(subkey));
        if (!s.shown.count(page)) {
            EXPECT_TRUE(stored == (page == CORVANE_PAGE_ALIAS ? before.alias : before.service)) << subkey << " changed unseen";
            continue;
        }
        const auto& rows = s.rows.at(page);
        EXPECT_EQ(stored.size(), rows.size() * 2) << subkey << " holds other values than its rows";
        for (size_t i = 0; i < rows.size(); ++i) {
            std::wstring name, url;
            testreg::ReadString(HKEY_CURRENT_USER, SectionPath(subkey), (std::to_wstring(i) + L"_Name").c_str(), &name);
            testreg::ReadString(HKEY_CURRENT_USER, SectionPath(subkey), (std::to_wstring(i) + L"_URL").c_str(), &url);
            if (name == rows[i].first && url == rows[i].second) continue;
            ADD_FAILURE() << subkey << " entry " << i << " stored " << Narrow(name) << " " << Narrow(url)
                          << ", shown " << Narrow(rows[i].first) << " " << Narrow(rows[i].second);
            break;
        }
        const std::wstring letters = page == CORVANE_PAGE_ALIAS ? L"DE" : L"CS";
        for (const auto& row : rows) {
            EXPECT_TRUE(row.first.size() >= 2 && (row.first[0] == L' ' || row.first[0] == letters[0]) &&
                        (row.first[1] == L' ' || row.first[1] == letters[1]))
                << subkey << " flags " << Narrow(row.first.substr(0, 2));
            EXPECT_LE(row.first.size(), 2047u) << subkey << " name too long to read back";
            EXPECT_LE(row.second.size(), 2047u) << subkey << " URL too long to read back";
        }
    }

    // Buttons: each half of each assignment a function the reference lists.
    for (const std::wstring& button : before.buttons) {
        const ValueMap now = testreg::Values(HKEY_CURRENT_USER, SectionPath(L"Keys\\" + button));
        auto then = before.assignments.find(button);
        if (!s.shown.count(CORVANE_PAGE_BUTTONS)) {
            EXPECT_TRUE(then == before.assignments.end() ? now.empty() : now == then->second)
                << "the assignment of " << Narrow(button) << " changed unseen";
            continue;
        }
        auto value = now.find(L"");
        if (value == now.end() || value->second.type != REG_DWORD || value->second.data.size() != 4) {
            ADD_FAILURE() << "no DWORD assignment for " << Narrow(button);
            continue;
        }
        DWORD codes = 0;
        memcpy(&codes, value->second.data.data(), 4);
        EXPECT_TRUE(reference.codes.count(codes & 0xFFFF) && reference.codes.count(codes >> 16))
            << "the assignment of " << Narrow(button) << " is 0x" << std::hex << codes;
    }

    // The browser's values, when the PIE page was shown.
    if (s.shown.count(CORVANE_PAGE_BROWSER)) {
        DWORD run = 9, show = 9, clearType = 9, identification = 9;
        testreg::ReadDword(HKEY_LOCAL_MACHINE, kInternetSettings, L"Security_RunScripts", &run);
        testreg::ReadDword(HKEY_CURRENT_USER, kExplorerMain, L"ShowScriptErrors", &show);
        testreg::ReadDword(HKEY_LOCAL_MACHINE, kInternetSettings, L"ClearTypeText", &clearType);
        ReadDword(L"Identification", &identification);
        EXPECT_TRUE((run == 0 && show == 0) || (run == 1 && show <= 1)) << run << " and " << show;
        EXPECT_LE(clearType, 1u);
        const wchar_t* const versions[] = {L"MSIE 3.02", L"MSIE 5.5", L"MSIE 6.0"};
        const std::vector<std::vector<std::wstring>> tokens = {{L"240x320", L"PPC"}, {}, {L"SV1"}};
        if (identification <= 2) {
            std::wstring version;
            testreg::ReadString(HKEY_LOCAL_MACHINE, kUserAgent, L"Version", &version);
            EXPECT_EQ(version, versions[identification]);
            std::vector<std::wstring> names = testreg::ValueNames(HKEY_LOCAL_MACHINE, kPostPlatform);
            std::sort(names.begin(), names.end());
            EXPECT_EQ(names, tokens[identification]);
        }
    }
}

// Links open the test's recorder, not a browser.
void RedirectLinks()
{
    testreg::DeleteTree(HKEY_CLASSES_ROOT, L"http");
    wchar_t exe[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, exe, MAX_PATH);
    std::wstring folder = exe;
    folder = folder.substr(0, folder.find_last_of(L'\\') + 1);
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    testreg::WriteString(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", NULL,
                         L"\"" + folder + L"url_recorder.exe\" \"" + temp + L"corvane-monkey-links.txt\" \"%1\"");
}

TEST_F(UserMonkeyTest, RandomSessionsOfRealInputKeepEveryStoredValueInItsDomain)
{
    RedirectLinks();
    seeds::RunSeeds("CORVANE_MONKEY", "monkey", "session", kSuiteSessions, [this](uint64_t seed) { return RunSession(seed); });
    TurnBack();
}

TEST_F(UserMonkeyTest, MoreRandomSessionsOfRealInputKeepEveryStoredValueInItsDomain)
{
    // A range from the environment (tools/monkey.sh) is run by the test above alone.
    if (std::getenv("CORVANE_MONKEY_FIRST") || std::getenv("CORVANE_MONKEY_COUNT")) GTEST_SKIP();
    RedirectLinks();
    seeds::RunSeeds("CORVANE_MONKEY", "monkey", "session", kMoreSuiteSessions, [this](uint64_t seed) { return RunSession(seed); });
    TurnBack();
}

}  // namespace
