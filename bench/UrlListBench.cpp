// The URL lists: LoadUrlList and SaveUrlList against a plain loop of the same registry calls,
// and the URL Alias page opened and applied with lists of growing length.
#include <windows.h>
#include "include/corvane_options.h"
#include <prsht.h>

#include <cstdio>
#include <string>

#include "BenchHost.h"
#include "host/HostContext.h"
#include "pages/urls/UrlList.h"
#include "support/Registry.h"

namespace {


const int kAliasPage = 2;

UrlList MakeList(int count)
{
    UrlList entries(count);
    for (int i = 0; i < count; ++i) {
        entries[i].flags = i % 7 ? L"  " : L" E";
        entries[i].text = L"alias" + std::to_wstring(i);
        entries[i].url = L"http://www.example" + std::to_wstring(i % 97) + L".com/search?q=%us&page=" + std::to_wstring(i);
    }
    return entries;
}

std::wstring SettingsPath()
{
    return std::wstring(L"Software\\") + hostContext.vendor + L"\\" + hostContext.product;
}

// What SaveUrlList and LoadUrlList ask of the registry, written out as plain calls.
void PlainRewriteAndRead(const UrlList& entries)
{
    const std::wstring settingsPath = SettingsPath();
    HKEY settings;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, settingsPath.c_str(), 0, KEY_READ | KEY_WRITE, &settings) == ERROR_SUCCESS) {
        RegDeleteTreeW(settings, L"Alias");
        RegCloseKey(settings);
    }
    const std::wstring listPath = settingsPath + L"\\Alias";
    HKEY list;
    RegCreateKeyExW(HKEY_CURRENT_USER, listPath.c_str(), 0, NULL, 0, KEY_READ | KEY_WRITE, NULL, &list, NULL);
    wchar_t name[32];
    std::wstring stored;
    for (size_t i = 0; i < entries.size(); ++i) {
        stored = entries[i].flags + entries[i].text;
        swprintf(name, 32, L"%d_Name", static_cast<int>(i));
        RegSetValueExW(list, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(stored.c_str()),
                       static_cast<DWORD>((stored.size() + 1) * sizeof(wchar_t)));
        swprintf(name, 32, L"%d_URL", static_cast<int>(i));
        RegSetValueExW(list, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(entries[i].url.c_str()),
                       static_cast<DWORD>((entries[i].url.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(list);

    RegOpenKeyExW(HKEY_CURRENT_USER, listPath.c_str(), 0, KEY_READ | KEY_WRITE, &list);
    static wchar_t text[2048], url[2048];
    for (int i = 0;; ++i) {
        DWORD type = 0, size = sizeof(text);
        swprintf(name, 32, L"%d_Name", i);
        if (RegQueryValueExW(list, name, NULL, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS) break;
        size = sizeof(url);
        swprintf(name, 32, L"%d_URL", i);
        if (RegQueryValueExW(list, name, NULL, &type, reinterpret_cast<BYTE*>(url), &size) != ERROR_SUCCESS) break;
    }
    RegCloseKey(list);
}

void BenchListCost(int runs)
{
    const UrlList entries = MakeList(2000);
    const auto ours = [&] {
        SaveUrlList(kAliasSubkey, entries);
        if (LoadUrlList(kAliasSubkey).size() != entries.size()) std::printf("  (list did not read back whole)\n");
    };
    const auto plain = [&] { PlainRewriteAndRead(entries); };
    ours();
    plain();
    bench::Cost tOurs, tPlain;
    bench::Compare(runs, ours, plain, tOurs, tPlain);
    std::printf("URL list: SaveUrlList + LoadUrlList of 2,000 entries\n");
    std::printf("  component %.1f ms CPU, %.1f ms wall; plain registry loop %.1f ms CPU, %.1f ms wall\n",
                1000 * tOurs.cpu, 1000 * tOurs.wall, 1000 * tPlain.cpu, 1000 * tPlain.wall);
    bench::PrintRatio("  overhead of the component (CPU time)", tOurs.cpu / tPlain.cpu, "<= 1.2x", tOurs.cpu / tPlain.cpu <= 1.2);
    bench::PrintRatio("  overhead of the component (wall clock)", tOurs.wall / tPlain.wall, "<= 1.2x",
                      tOurs.wall / tPlain.wall <= 1.2);
    std::printf("\n");
}

void BenchAliasPageScaling(int runs)
{
    CorvaneShowOptionsFn showOptions = reinterpret_cast<CorvaneShowOptionsFn>(
        reinterpret_cast<void*>(GetProcAddress(hostContext.instance, MAKEINTRESOURCEA(CORVANE_ORDINAL_SHOW_OPTIONS))));
    const int sizes[] = {500, 1000, 2000, 4000};
    bench::Cost costs[4];
    std::printf("URL Alias page: open on the page and apply, by rows in the list\n");
    for (int i = 0; i < 4; ++i) {
        const UrlList entries = MakeList(sizes[i]);
        SaveUrlList(kAliasSubkey, entries);
        const auto openAndApply = [&] {
            bench::DriveSheet(
                [&] {
                    int reserved = 0;
                    showOptions(bench::HostWindow(), 0, 5, 0, &reserved, hostContext.vendor, hostContext.product, L"1.0",
                                kAliasPage);
                },
                [](HWND sheet) {
                    SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
                    PostMessageW(sheet, WM_NULL, 0, 0);
                });
        };
        openAndApply();
        costs[i] = bench::Median(runs > 5 ? 5 : runs, openAndApply);
        std::printf("  %5d rows: %7.1f ms CPU, %7.1f ms wall (%.1f us a row)\n", sizes[i], 1000 * costs[i].cpu,
                    1000 * costs[i].wall, 1e6 * costs[i].wall / sizes[i]);
    }
    const double growth = costs[3].cpu / costs[1].cpu;
    bench::PrintRatio("  4,000 rows against 1,000 rows (CPU time)", growth, "<= 4.5x", growth <= 4.5);
    const double wallGrowth = costs[3].wall / costs[1].wall;
    bench::PrintRatio("  4,000 rows against 1,000 rows (wall clock)", wallGrowth, "<= 4.5x", wallGrowth <= 4.5);
    std::printf("\n");
}

}  // namespace

void BenchUrlLists(int runs)
{
    BenchListCost(runs);
    BenchAliasPageScaling(runs);
}
