// The "PIE" page through the real sheet, writing into the browser's own keys.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "include/corvane_options.h"
#include "resource.h"
#include "support/Fixtures.h"

namespace {

using testreg::kInternetSettings;
using testreg::kUserAgent;
using testreg::kPostPlatform;
using testreg::kExplorer;
using testreg::kExplorerMain;

const int kIdentifyAsPie = 0;
const int kIdentifyAsIe55 = 1;
const int kIdentifyAsIe60 = 2;
const int kScriptDisabled = 0;
const int kScriptEnabled = 1;
const int kScriptShowErrors = 2;

struct UserAgent {
    std::wstring product, platform, version;
    bool operator==(const UserAgent& other) const
    {
        return product == other.product && platform == other.platform && version == other.version;
    }
};

std::ostream& operator<<(std::ostream& out, const UserAgent& agent)
{
    return out << testing::PrintToString(agent.product) << ", " << testing::PrintToString(agent.platform) << ", "
               << testing::PrintToString(agent.version);
}

class BrowserPageTest : public SheetTest {
protected:
    // Each test starts without user-agent, script or ClearType values, whatever an earlier run
    // (a crashed fuzz seed, say) left there.
    void SetUp() override
    {
        SheetTest::SetUp();
        testreg::DeleteTree(HKEY_LOCAL_MACHINE, kUserAgent);
        testreg::DeleteValue(HKEY_LOCAL_MACHINE, kInternetSettings, L"Security_RunScripts");
        testreg::DeleteValue(HKEY_LOCAL_MACHINE, kInternetSettings, L"ClearTypeText");
        testreg::DeleteValue(HKEY_CURRENT_USER, kExplorerMain, L"ShowScriptErrors");
    }

    UserAgent StoredUserAgent() const
    {
        UserAgent agent;
        testreg::ReadString(HKEY_LOCAL_MACHINE, kUserAgent, nullptr, &agent.product);
        testreg::ReadString(HKEY_LOCAL_MACHINE, kUserAgent, L"Platform", &agent.platform);
        testreg::ReadString(HKEY_LOCAL_MACHINE, kUserAgent, L"Version", &agent.version);
        return agent;
    }

    // The tokens in "Post Platform", each checked to be an empty string (its NUL alone).
    std::vector<std::wstring> Tokens() const
    {
        std::vector<std::wstring> names = testreg::ValueNames(HKEY_LOCAL_MACHINE, kPostPlatform);
        for (const std::wstring& name : names) {
            DWORD type = 0;
            std::vector<BYTE> data;
            EXPECT_TRUE(testreg::ReadRaw(HKEY_LOCAL_MACHINE, kPostPlatform, name.c_str(), &type, &data));
            EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << testing::PrintToString(name);
            EXPECT_EQ(data, (std::vector<BYTE>{0, 0})) << testing::PrintToString(name);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    DWORD BrowserDword(HKEY root, const wchar_t* path, const wchar_t* name) const
    {
        DWORD value = 0xDEADBEEF;
        EXPECT_TRUE(testreg::ReadDword(root, path, name, &value)) << "no DWORD " << testing::PrintToString(name);
        return value;
    }

    // Scripting as stored: "Security_RunScripts" and "ShowScriptErrors".
    std::pair<DWORD, DWORD> Scripting() const
    {
        return {BrowserDword(HKEY_LOCAL_MACHINE, kInternetSettings, L"Security_RunScripts"),
                BrowserDword(HKEY_CURRENT_USER, kExplorerMain, L"ShowScriptErrors")};
    }

    void StoreScripting(DWORD runScripts, DWORD showErrors) const
    {
        testreg::WriteDword(HKEY_LOCAL_MACHINE, kInternetSettings, L"Security_RunScripts", runScripts);
        testreg::WriteDword(HKEY_CURRENT_USER, kExplorerMain, L"ShowScriptErrors", showErrors);
    }

    // The browser's keys, put back as they were after each test.
    testreg::SavedKey internetSettings{HKEY_LOCAL_MACHINE, kInternetSettings};
    testreg::SavedKey explorer{HKEY_CURRENT_USER, kExplorer};
};

TEST_F(BrowserPageTest, OpeningTheFreshPageCreatesNoBrowserKey)
{
    testreg::DeleteTree(HKEY_LOCAL_MACHINE, kInternetSettings);
    testreg::DeleteTree(HKEY_CURRENT_USER, kExplorer);
    ExpectCancelledOn(CORVANE_PAGE_BROWSER, Show(CORVANE_PAGE_BROWSER, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.ComboSelection(IDC_BROWSER_IDENTIFICATION_COMBO), kIdentifyAsPie);
        EXPECT_EQ(sheet.ComboSelection(IDC_BROWSER_SCRIPT_COMBO), kScriptEnabled);
        EXPECT_FALSE(sheet.Checked(IDC_BROWSER_CLEARTYPE_CHECK));
        EXPECT_EQ(sheet.ComboTexts(IDC_BROWSER_IDENTIFICATION_COMBO),
                  (std::vector<std::wstring>{L"Identify PIE as PIE (default)", L"Identify PIE as IE 5.5",
                                             L"Identify PIE as IE 6.0"}));
        EXPECT_EQ(sheet.ComboTexts(IDC_BROWSER_SCRIPT_COMBO),
                  (std::vector<std::wstring>{L"Disable Script", L"Enable Script",
                                             L"Enable Script and show Script errors"}));
        sheet.Cancel();
    }));
    EXPECT_FALSE(testreg::KeyExists(HKEY_LOCAL_MACHINE, kInternetSettings));
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, kExplorer));
    EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, SettingsPath())) << "the add-on's own key is created";
}

TEST_F(BrowserPageTest, ApplyingTheDefaultsWritesEveryBrowserValue)
{
    testreg::DeleteTree(HKEY_LOCAL_MACHINE, kInternetSettings);
    testreg::DeleteTree(HKEY_CURRENT_USER, kExplorer);
    ExpectOk(Show(CORVANE_PAGE_BROWSER, [](driver::Sheet& sheet) { sheet.Ok(); }));
    EXPECT_EQ(Dword(L"Identification"), 0u);
    EXPECT_EQ(StoredUserAgent(), (UserAgent{L"Mozilla/2.0", L"Windows CE", L"MSIE 3.02"}));
    EXPECT_EQ(Tokens(), (std::vector<std::wstring>{L"240x320", L"PPC"}));
    EXPECT_EQ(Scripting(), std::make_pair(1ul, 0ul));
    EXPECT_EQ(BrowserDword(HKEY_LOCAL_MACHINE, kInternetSettings, L"ClearTypeText"), 0u);
}

TEST_F(BrowserPageTest, IdentificationChoicesRewriteTheUserAgentAndItsTokens)
{
    // Tokens another program left behind, of any type, the unnamed one included, and one
    // named longer than a key name may be.
    testreg::WriteString(HKEY_LOCAL_MACHINE, kPostPlatform, std::wstring(300, L'T').c_str(), L"");
    testreg::WriteString(HKEY_LOCAL_MACHINE, kPostPlatform, L"Foreign", L"x");
    testreg::WriteDword(HKEY_LOCAL_MACHINE, kPostPlatform, L"Number", 7);
    testreg::WriteString(HKEY_LOCAL_MACHINE, kPostPlatform, nullptr, L"unnamed");
    ExpectOk(Show(CORVANE_PAGE_BROWSER, [](driver::Sheet& sheet) {
        sheet.ChooseCombo(IDC_BROWSER_IDENTIFICATION_COMBO, kIdentifyAsIe60);
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"Identification"), 2u);
    EXPECT_EQ(StoredUserAgent(), (UserAgent{L"Mozilla/4.0", L"Windows NT 5.1", L"MSIE 6.0"}));
    EXPECT_EQ(Tokens(), (std::vector<std::wstring>{L"SV1"}));

    // The page shows the choice it stored, whatever the browser's values say.
    testreg::WriteString(HKEY_LOCAL_MACHINE, kUserAgent, L"Version", L"MSIE 3.02");
    ExpectOk(Show(CORVANE_PAGE_BROWSER, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.ComboSelection(IDC_BROWSER_IDENTIFICATION_COMBO), kIdentifyAsIe60);
        sheet.ChooseCombo(IDC_BROWSER_IDENTIFICATION_COMBO, kIdentifyAsIe55);
        sheet.Ok();
    }));
    EXPECT_EQ(StoredUserAgent(), (UserAgent{L"Mozilla/4.0", L"Windows NT 5.0", L"MSIE 5.5"}));
    EXPECT_TRUE(testreg::KeyExists(HKEY_LOCAL_MACHINE, kPostPlatform));
    EXPECT_TRUE(Tokens().empty()) << "IE 5.5 has no tokens";

    ExpectOk(Show(CORVANE_PAGE_BROWSER, [](driver::Sheet& sheet) {
        sheet.ChooseCombo(IDC_BROWSER_IDENTIFICATION_COMBO, kIdentifyAsPie);
        sheet.Ok();
    }));
    EXPECT_EQ(StoredUserAgent(), (UserAgent{L"Mozilla/2.0", L"Windows CE", L"MSIE 3.02"}));
    EXPECT_EQ(Tokens(), (std::vector<std::wstring>{L"240x320", L"PPC"}));
}

TEST_F(BrowserPageTest, StoredChoiceOutOfRangeLeavesTheUserAgentUntouched)
{
    WriteDword(L"Identification", 7);
    testreg::WriteString(HKEY_LOCAL_MACHINE, kUserAgent, nullptr, L"Mozilla/4.0");
    testreg::WriteString(HKEY_LOCAL_MACHINE, kUserAgent, L"Platform", L"Windows NT 5.1");
    testreg::WriteString(HKEY_LOCAL_MACHINE, kUserAgent, L"Version", L"MSIE 6.0");
    testreg::WriteString(HKEY_LOCAL_MACHINE, kPostPlatform, L"SV1", L"");
    ExpectOk(Show(CORVANE_PAGE_BROWSER, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.ComboSelection(IDC_BROWSER_IDENTIFICATION_COMBO), -1);
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"Identification"), 0xFFFFFFFFu);
    EXPECT_EQ(StoredUserAgent(), (UserAgent{L"Mozilla/4.0", L"Windows NT 5.1", L"MSIE 6.0"}));
    EXPECT_EQ(Tokens(), (std::vector<std::wstring>{L"SV1"})) << "no tokens to write, so none are removed";
}

TEST_F(BrowserPageTest, ScriptChoiceIsReadFromAndWrittenToBothValues)
{
    struct Case {
        DWORD runScripts, showErrors;
        int shown;
    };
    const Case readCases[] = {
        {0, 1, kScriptDisabled},
        {1, 0, kScriptEnabled},
        {1, 1, kScriptShowErrors},
        {2, 1, -1},  // a sum that names no choice
        // Sums past 32 bits do not wrap round to a choice.
        {1, 0xFFFFFFFF, -1},
        {0xFFFFFFFF, 3, -1},
        {0xFFFFFFFE, 2, -1},
    };
    for (const Case& c : readCases) {
        StoreScripting(c.runScripts, c.showErrors);
        ExpectOk(Show(CORVANE_PAGE_BROWSER, [&](driver::Sheet& sheet) {
            EXPECT_EQ(sheet.ComboSelection(IDC_BROWSER_SCRIPT_COMBO), c.shown) << c.runScripts << "+" << c.showErrors;
            sheet.Ok();
        }));
        // Applied without a choice: the shown choice is written, and no choice means 1 and 1.
        const std::pair<DWORD, DWORD> expected =
            c.shown == kScriptDisabled ? std::make_pair(0ul, 0ul)
                                       : c.shown == kScriptEnabled ? std::make_pair(1ul, 0ul) : std::make_pair(1ul, 1ul);
        EXPECT_EQ(Scripting(), expected) << c.runScripts << "+" << c.showErrors;
    }

    const std::pair<int, std::pair<DWORD, DWORD>> writeCases[] = {
        {kScriptDisabled, {0, 0}}, {kScriptEnabled, {1, 0}}, {kScriptShowErrors, {1, 1}}};
    for (const auto& c : writeCases) {
        StoreScripting(2, 1);
        ExpectOk(Show(CORVANE_PAGE_BROWSER, [&](driver::Sheet& sheet) {
            sheet.ChooseCombo(IDC_BROWSER_SCRIPT_COMBO, c.first);
            sheet.Ok();
        }));
        EXPECT_EQ(Scripting(), c.second) << "choice " << c.first;
    }
}

// Emptying "Post Platform" takes its values, token names too long to list by a short name
// included, and leaves the keys below it; values of other software in the browser's keys stay.
TEST_F(BrowserPageTest, EmptyingPostPlatformKeepsItsSubkeysAndForeignBrowserValuesStay)
{
    const std::wstring longToken(600, L't');
    testreg::WriteString(HKEY_LOCAL_MACHINE, kPostPlatform, L"SV1", L"");
    testreg::WriteString(HKEY_LOCAL_MACHINE, kPostPlatform, longToken.c_str(), L"");
    testreg::WriteDword(HKEY_LOCAL_MACHINE, kPostPlatform, L"Foreign", 7);
    testreg::WriteDword(HKEY_LOCAL_MACHINE, std::wstring(kPostPlatform) + L"\\Below", L"Kept", 1);
    testreg::WriteString(HKEY_LOCAL_MACHINE, kUserAgent, L"Extra", L"other software");
    testreg::WriteDword(HKEY_LOCAL_MACHINE, std::wstring(kUserAgent) + L"\\Pre Platform", L"Kept", 2);
    testreg::WriteDword(HKEY_LOCAL_MACHINE, kInternetSettings, L"CorvaneTestsForeign", 3);
    testreg::WriteDword(HKEY_CURRENT_USER, kExplorerMain, L"CorvaneTestsForeign", 4);

    ExpectOk(Show(CORVANE_PAGE_BROWSER, [](driver::Sheet& sheet) {
        sheet.ChooseCombo(IDC_BROWSER_IDENTIFICATION_COMBO, kIdentifyAsPie);
        sheet.Ok();
    }));
    EXPECT_EQ(Tokens(), (std::vector<std::wstring>{L"240x320", L"PPC"}));
    DWORD kept = 0;
    EXPECT_TRUE(testreg::ReadDword(HKEY_LOCAL_MACHINE, std::wstring(kPostPlatform) + L"\\Below", L"Kept", &kept));
    EXPECT_EQ(kept, 1u);
    std::wstring extra;
    EXPECT_TRUE(testreg::ReadString(HKEY_LOCAL_MACHINE, kUserAgent, L"Extra", &extra));
    EXPECT_EQ(extra, L"other software");
    EXPECT_EQ(BrowserDword(HKEY_LOCAL_MACHINE, (std::wstring(kUserAgent) + L"\\Pre Platform").c_str(), L"Kept"), 2u);
    EXPECT_EQ(BrowserDword(HKEY_LOCAL_MACHINE, kInternetSettings, L"CorvaneTestsForeign"), 3u);
    EXPECT_EQ(BrowserDword(HKEY_CURRENT_USER, kExplorerMain, L"CorvaneTestsForeign"), 4u);
}

TEST_F(BrowserPageTest, ClearTypeBoxFollowsTheBrowserValueAndEveryValueIsRewritten)
{
    testreg::WriteDword(HKEY_LOCAL_MACHINE, kInternetSettings, L"ClearTypeText", 1);
    testreg::DeleteTree(HKEY_CURRENT_USER, kExplorerMain);
    ExpectOk(Show(CORVANE_PAGE_BROWSER, [](driver::Sheet& sheet) {
        EXPECT_TRUE(sheet.Checked(IDC_BROWSER_CLEARTYPE_CHECK));
        sheet.Click(IDC_BROWSER_CLEARTYPE_CHECK);
        sheet.Ok();
    }));
    EXPECT_EQ(BrowserDword(HKEY_LOCAL_MACHINE, kInternetSettings, L"ClearTypeText"), 0u);
    // Changing only the box still writes the identification and the scripting.
    EXPECT_EQ(StoredUserAgent(), (UserAgent{L"Mozilla/2.0", L"Windows CE", L"MSIE 3.02"}));
    EXPECT_EQ(Tokens(), (std::vector<std::wstring>{L"240x320", L"PPC"}));
    EXPECT_EQ(Scripting(), std::make_pair(1ul, 0ul));

    ExpectOk(Show(CORVANE_PAGE_BROWSER, [](driver::Sheet& sheet) {
        EXPECT_FALSE(sheet.Checked(IDC_BROWSER_CLEARTYPE_CHECK));
        sheet.Click(IDC_BROWSER_CLEARTYPE_CHECK);
        sheet.Ok();
    }));
    EXPECT_EQ(BrowserDword(HKEY_LOCAL_MACHINE, kInternetSettings, L"ClearTypeText"), 1u);
}

TEST_F(BrowserPageTest, CancelWritesNoBrowserValue)
{
    StoreScripting(0, 0);
    ExpectCancelledOn(CORVANE_PAGE_BROWSER, Show(CORVANE_PAGE_BROWSER, [](driver::Sheet& sheet) {
        sheet.ChooseCombo(IDC_BROWSER_SCRIPT_COMBO, kScriptShowErrors);
        sheet.ChooseCombo(IDC_BROWSER_IDENTIFICATION_COMBO, kIdentifyAsIe60);
        sheet.Cancel();
    }));
    EXPECT_EQ(Scripting(), std::make_pair(0ul, 0ul));
    DWORD identification = 0;
    EXPECT_FALSE(ReadDword(L"Identification", &identification));
}

}  // namespace
