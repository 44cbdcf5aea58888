// Benchmarks of OPTION.dll, each measured side by side with a baseline in the same run and
// reported as a ratio against its goal. Not part of the tests: the numbers depend on the
// machine, the ratios much less.
//
//   option_bench.exe STRIPPED_DLL [--quick] [--steps]
#include <windows.h>
#include "include/corvane_options.h"
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <string>

#include "BenchHost.h"
#include "framework/OptionsSheet.h"
#include "host/HostContext.h"
#include "support/Registry.h"

namespace {


const wchar_t kVendor[] = L"CorvaneBench";
const wchar_t kProduct[] = L"Bench";
const wchar_t kShellKeys[] = L"Software\\Microsoft\\Shell\\Keys";

int runs = 15;
bool steps = false;  // --steps: the sheet's cost step by step
HMODULE dll = NULL;
CorvaneShowOptionsFn showOptions = nullptr;


// --- size -------------------------------------------------------------------------------

void ReportSize(const wchar_t* strippedDll)
{
    HANDLE file = CreateFileW(strippedDll, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        std::printf("size: cannot open the stripped DLL\n");
        return;
    }
    DWORD size = GetFileSize(file, NULL);
    std::string image(size, '\0');
    DWORD read = 0;
    ReadFile(file, &image[0], size, &read, NULL);
    CloseHandle(file);
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image.data() + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    DWORD code = 0, resources = 0, other = 0;
    for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        const std::string name(reinterpret_cast<const char*>(section->Name), strnlen(reinterpret_cast<const char*>(section->Name), 8));
        if (section->Characteristics & IMAGE_SCN_CNT_CODE)
            code += section->SizeOfRawData;
        else if (name == ".rsrc")
            resources += section->SizeOfRawData;
        else
            other += section->SizeOfRawData;
    }
    std::printf("Size of the stripped OPTION.dll: %lu bytes\n", static_cast<unsigned long>(size));
    std::printf("  code (.text)          %8lu bytes  %5.1f%%\n", static_cast<unsigned long>(code), 100.0 * code / size);
    std::printf("  resources (.rsrc)     %8lu bytes  %5.1f%%\n", static_cast<unsigned long>(resources), 100.0 * resources / size);
    std::printf("  data, imports, rest   %8lu bytes  %5.1f%%\n\n", static_cast<unsigned long>(size - code - resources),
                100.0 * (size - code - resources) / size);
}

// --- sheet cost -------------------------------------------------------------------------

INT_PTR CALLBACK NullPageProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

int CALLBACK NullSheetCallback(HWND, UINT message, LPARAM lParam)
{
    if (message == PSCB_GETVERSION) return COMCTL32_VERSION;
    if (message == PSCB_GETTITLE) lstrcpynW(reinterpret_cast<wchar_t*>(lParam), L"Corvane Option", MAX_PATH);
    return 0;
}

// The same sheet from the same templates, with page procedures that do nothing.
void ShowNullSheet()
{
    static const WORD templates[] = {3007, 3009, 3004, 3005, 3006, 3001, 3002, 3003, 3008, 3010};
    PROPSHEETPAGEW pages[10] = {};
    for (int i = 0; i < 10; ++i) {
        pages[i].dwSize = sizeof(PROPSHEETPAGEW);
        pages[i].hInstance = dll;
        pages[i].pszTemplate = MAKEINTRESOURCEW(templates[i]);
        pages[i].pfnDlgProc = NullPageProc;
    }
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_HASHELP | PSH_MAXIMIZE;
    header.hwndParent = bench::HostWindow();
    header.hInstance = dll;
    header.pszIcon = MAKEINTRESOURCEW(1001);
    header.pszCaption = MAKEINTRESOURCEW(201);
    header.nPages = 10;
    header.ppsp = pages;
    header.pfnCallback = NullSheetCallback;
    PropertySheetW(&header);
}

void ShowOurSheet()
{
    int reserved = 0;
    showOptions(bench::HostWindow(), 0, 5, 0, &reserved, kVendor, kProduct, L"1.0", 0);
}

void PrepareButtons()
{
    const wchar_t* names[] = {L"40C1", L"40C2", L"40C3", L"40C4", L"40C5", L"40C7"};
    for (int i = 0; i < 6; ++i) {
        const std::wstring key = std::wstring(kShellKeys) + L"\\" + names[i];
        testreg::WriteString(HKEY_LOCAL_MACHINE, key, L"Name", L"Button " + std::to_wstring(i + 1));
        if (i % 2 == 0) testreg::WriteString(HKEY_LOCAL_MACHINE, key, L"Icon", L"\\Windows\\notepad.exe,0");
        if (i % 3 == 0)
            testreg::WriteString(HKEY_LOCAL_MACHINE, key, NULL, L"\\Windows\\calc.exe");
        else
            testreg::WriteDword(HKEY_LOCAL_MACHINE, key, L"Flags", static_cast<DWORD>(i + 4));
    }
}

// Where the sheet's time goes, step by step: the component's cost over the same step of the
// sheet with empty pages, averaged over the runs.
void BenchSheetSteps(const std::function<void()>& ours, const std::function<void()>& baseline)
{
    std::vector<bench::Cost> mine, base;
    for (int i = 0; i < runs; ++i) {
        bench::RecordSteps(&mine);
        ours();
        bench::RecordSteps(&base);
        baseline();
    }
    bench::RecordSteps(nullptr);
    static const char* const names[] = {"open (page Buttons)", "Buttons", "PIE", "URL Alias", "URL Service", "Screen",
                                        "Menu", "Tab 1", "Tab 2", "View", "About", "apply", "close"};
    std::printf("  by step, ms a run (component / empty pages, CPU then wall):\n");
    for (size_t i = 0; i < mine.size() && i < base.size() && i < sizeof(names) / sizeof(names[0]); ++i) {
        std::printf("    %-20s CPU %6.1f / %6.1f (+%5.1f)   wall %6.1f / %6.1f (+%5.1f)\n", names[i],
                    1000 * mine[i].cpu / runs, 1000 * base[i].cpu / runs, 1000 * (mine[i].cpu - base[i].cpu) / runs,
                    1000 * mine[i].wall / runs, 1000 * base[i].wall / runs, 1000 * (mine[i].wall - base[i].wall) / runs);
    }
    std::printf("\n");
}

void BenchSheet()
{
    testreg::SavedKey shellKeys(HKEY_LOCAL_MACHINE, kShellKeys);
    testreg::DeleteTree(HKEY_LOCAL_MACHINE, kShellKeys);
    PrepareButtons();
    const auto ours = [] { bench::DriveSheet(ShowOurSheet, bench::VisitAllAndApply); };
    const auto baseline = [] { bench::DriveSheet(ShowNullSheet, bench::VisitAllAndApply); };
    ours();  // registers the component's classes and warms every cache
    baseline();
    bench::Cost tOurs, tBase;
    bench::Compare(runs, ours, baseline, tOurs, tBase);
    std::printf("Sheet: open, visit all ten pages, apply, close (six hardware buttons)\n");
    std::printf("  OPTION.dll: %.1f ms CPU, %.1f ms wall; same templates with empty page procedures: %.1f ms CPU, %.1f ms wall\n",
                1000 * tOurs.cpu, 1000 * tOurs.wall, 1000 * tBase.cpu, 1000 * tBase.wall);
    bench::PrintRatio("  overhead of the component (CPU time)", tOurs.cpu / tBase.cpu, "<= 1.3x", tOurs.cpu / tBase.cpu <= 1.3);
    bench::PrintRatio("  overhead of the component (wall clock)", tOurs.wall / tBase.wall, "<= 1.3x",
                      tOurs.wall / tBase.wall <= 1.3);
    std::printf("\n");
    if (steps) BenchSheetSteps(ours, baseline);
}

}  // namespace

// Defined beside the URL list benchmarks.
void BenchUrlLists(int runs);

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: option_bench STRIPPED_DLL [--quick] [--steps]\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        if (lstrcmpW(argv[i], L"--quick") == 0) runs = 3;
        if (lstrcmpW(argv[i], L"--steps") == 0) steps = true;
    }
    SetCurrentDirectoryW(L"C:\\");
    dll = LoadLibraryW(L"OPTION.dll");
    showOptions = reinterpret_cast<CorvaneShowOptionsFn>(reinterpret_cast<void*>(GetProcAddress(dll, MAKEINTRESOURCEA(CORVANE_ORDINAL_SHOW_OPTIONS))));
    if (!showOptions) {
        std::fprintf(stderr, "cannot load OPTION.dll\n");
        return 1;
    }
    // The component's own functions, linked in for the list benchmarks, read its resources
    // from the loaded library.
    hostContext.instance = dll;
    hostContext.vendor = kVendor;
    hostContext.product = kProduct;

    ReportSize(argv[1]);
    BenchSheet();
    BenchUrlLists(runs);
    testreg::DeleteTree(HKEY_CURRENT_USER, std::wstring(L"Software\\") + kVendor);
    return 0;
}
