#include "pages/browser/BrowserPage.h"

#include <string>

#include "framework/Controls.h"
#include "host/HostContext.h"
#include "resource.h"
#include "settings/SettingsKey.h"

namespace {

const wchar_t kUserAgent[] = L"\\User Agent";
const wchar_t kPostPlatform[] = L"Post Platform";  // below "User Agent"
const wchar_t kMain[] = L"\\Main";
const wchar_t kRunScripts[] = L"Security_RunScripts";
const wchar_t kShowScriptErrors[] = L"ShowScriptErrors";
const wchar_t kClearType[] = L"ClearTypeText";
// The key's unnamed value, which the registry editor shows as "(Default)".
const LPCWSTR kUnnamedValue = NULL;

// The parts from which the browser builds its user-agent string.
struct Identification {
    LPCWSTR product;       // the default value of "User Agent"
    LPCWSTR platform;
    LPCWSTR version;
    LPCWSTR tokens[2];     // empty values in "Post Platform", in this order; null ends the list
};

const Identification kIdentifications[] = {
    {L"Mozilla/2.0", L"Windows CE", L"MSIE 3.02", {L"PPC", L"240x320"}},
    {L"Mozilla/4.0", L"Windows NT 5.0", L"MSIE 5.5", {NULL, NULL}},
    {L"Mozilla/4.0", L"Windows NT 5.1", L"MSIE 6.0", {L"SV1", NULL}},
};
const int kIdentificationCount = sizeof(kIdentifications) / sizeof(kIdentifications[0]);

const DWORD kScriptDisabled = 0;
const DWORD kLastScriptChoice = 2;
const DWORD kNoScriptChoice = static_cast<DWORD>(-1);

// A browser key path from the string table; empty when the table lacks it, and then nothing
// is read or written, rather than values landing in the root of the registry.
std::wstring BrowserPath(UINT id, LPCWSTR suffix = L"")
{
    LPCWSTR base = LoadStringPointer(hostContext.instance, id);
    return base && *base ? std::wstring(base) + suffix : std::wstring();
}

}  // namespace

BrowserPage::BrowserPage() : PropertyPage(IDD, 0)
{
}

BOOL BrowserPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    PropertyPage::OnInitDialog(wParam, lParam);
    controls::SetFont(hwnd, HeaderFont(),
                      {IDC_BROWSER_IDENTIFICATION_HEADER, IDC_BROWSER_SCRIPT_HEADER, IDC_BROWSER_CLEARTYPE_HEADER});

    // The page shows the choice it stored, not what the browser's values happen to be.
    controls::AddComboStrings(hwnd, IDC_BROWSER_IDENTIFICATION_COMBO,
                              {IDS_PIE_IDENT_PIE, IDS_PIE_IDENT_IE55, IDS_PIE_IDENT_IE60});
    SettingsKey settings;
    settings.Create(NULL, NULL);
    controls::SelectComboIndex(hwnd, IDC_BROWSER_IDENTIFICATION_COMBO, settings.ReadDwordOr(IDS_VALUE_IDENTIFICATION, 0));

    // The browser's keys are only opened here: showing the page creates none of them.
    controls::AddComboStrings(hwnd, IDC_BROWSER_SCRIPT_COMBO,
                              {IDS_PIE_SCRIPT_DISABLE, IDS_PIE_SCRIPT_ENABLE, IDS_PIE_SCRIPT_SHOW_ERRORS});
    DWORD runScripts = 1, showErrors = 0, clearType = 0;
    const std::wstring internetSettings = BrowserPath(IDS_PATH_INTERNET_SETTINGS);
    const std::wstring explorerMain = BrowserPath(IDS_PATH_INTERNET_EXPLORER, kMain);
    RegKey key;
    if (!internetSettings.empty() && key.Open(HKEY_LOCAL_MACHINE, internetSettings.c_str(), RegKey::ReadOnly)) {
        runScripts = key.ReadDwordOr(kRunScripts, runScripts);
        clearType = key.ReadDwordOr(kClearType, clearType);
        key.Close();
    }
    if (!explorerMain.empty() && key.Open(HKEY_CURRENT_USER, explorerMain.c_str(), RegKey::ReadOnly)) {
        showErrors = key.ReadDwordOr(kShowScriptErrors, showErrors);
    }
    // A sum that names no choice leaves the box without a selection; it is taken whole, so that
    // a junk pair cannot wrap round to a choice.
    const unsigned long long sum = static_cast<unsigned long long>(runScripts) + showErrors;
    controls::SelectComboIndex(hwnd, IDC_BROWSER_SCRIPT_COMBO,
                               runScripts == kScriptDisabled ? 0 : sum > kLastScriptChoice ? kNoScriptChoice : static_cast<DWORD>(sum));
    controls::SetCheck(hwnd, IDC_BROWSER_CLEARTYPE_CHECK, clearType);
    return TRUE;
}

void BrowserPage::OnOK()
{
    WriteIdentification(static_cast<int>(controls::ComboSelection(hwnd, IDC_BROWSER_IDENTIFICATION_COMBO)));
    // No selection (CB_ERR) reads as the largest choice: scripts run and errors are shown.
    const DWORD script = controls::ComboSelection(hwnd, IDC_BROWSER_SCRIPT_COMBO);
    WriteScripting(script > 0 ? 1 : 0, script > 1 ? 1 : 0);
    WriteClearType(controls::CheckState(hwnd, IDC_BROWSER_CLEARTYPE_CHECK));
    PropertyPage::OnOK();
}

void BrowserPage::WriteIdentification(int choice)
{
    SettingsKey settings;
    settings.Create(NULL, NULL);
    settings.WriteDword(IDS_VALUE_IDENTIFICATION, static_cast<DWORD>(choice));

    // Without a choice there are no tokens to write, so the browser's values stay as they are
    // rather than losing their "Post Platform" tokens.
    if (choice < 0 || choice >= kIdentificationCount) return;
    const std::wstring userAgentPath = BrowserPath(IDS_PATH_INTERNET_SETTINGS, kUserAgent);
    if (userAgentPath.empty()) return;
    const std::wstring postPlatformPath = userAgentPath + L"\\" + kPostPlatform;

    RegKey userAgent, postPlatform;
    userAgent.Create(HKEY_LOCAL_MACHINE, userAgentPath.c_str(), NULL);
    // Every token goes, those other software put there included; keys below stay. Only when a
    // value cannot even be named is the key deleted and made again, and then made at once.
    if (postPlatform.Create(HKEY_LOCAL_MACHINE, postPlatformPath.c_str(), NULL) && !postPlatform.DeleteValues()) {
        postPlatform.Close();
        userAgent.DeleteSubKey(kPostPlatform);
        postPlatform.Create(HKEY_LOCAL_MACHINE, postPlatformPath.c_str(), NULL);
    }

    const Identification& identification = kIdentifications[choice];
    userAgent.WriteString(kUnnamedValue, identification.product);
    userAgent.WriteString(L"Platform", identification.platform);
    userAgent.WriteString(L"Version", identification.version);
    for (LPCWSTR token : identification.tokens)
        if (token) postPlatform.WriteString(token, L"");
}

void BrowserPage::WriteScripting(DWORD runScripts, DWORD showErrors)
{
    const std::wstring internetSettings = BrowserPath(IDS_PATH_INTERNET_SETTINGS);
    const std::wstring explorerMain = BrowserPath(IDS_PATH_INTERNET_EXPLORER, kMain);
    RegKey key;
    if (!internetSettings.empty() && key.Create(HKEY_LOCAL_MACHINE, internetSettings.c_str(), NULL)) {
        key.WriteDword(kRunScripts, runScripts);
        key.Close();
    }
    if (!explorerMain.empty() && key.Create(HKEY_CURRENT_USER, explorerMain.c_str(), NULL)) {
        key.WriteDword(kShowScriptErrors, showErrors);
    }
}

void BrowserPage::WriteClearType(DWORD enabled)
{
    const std::wstring internetSettings = BrowserPath(IDS_PATH_INTERNET_SETTINGS);
    RegKey key;
    if (!internetSettings.empty() && key.Create(HKEY_LOCAL_MACHINE, internetSettings.c_str(), NULL)) {
        key.WriteDword(kClearType, enabled);
    }
}
