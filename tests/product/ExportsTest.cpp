// OPTION.dll as the host sees it: its export table and the three exports' handling of their
// arguments, down to what a careless host might hand them.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "include/corvane_options.h"
#include "resource.h"
#include "support/Fixtures.h"

extern "C" int DecodeLastPage(int result);
extern "C" int DecodeSheetResult(int result);
extern "C" int CountPages(void);

namespace {

struct ExportTable {
    DWORD base = 0;
    DWORD names = 0;
    std::set<DWORD> ordinals;  // ordinals with a function behind them
};

ExportTable ReadExportTable(HMODULE module)
{
    ExportTable table;
    const BYTE* image = reinterpret_cast<const BYTE*>(module);
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
    const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (!directory.VirtualAddress) return table;
    const IMAGE_EXPORT_DIRECTORY* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(image + directory.VirtualAddress);
    const DWORD* functions = reinterpret_cast<const DWORD*>(image + exports->AddressOfFunctions);
    table.base = exports->Base;
    table.names = exports->NumberOfNames;
    for (DWORD i = 0; i < exports->NumberOfFunctions; ++i)
        if (functions[i]) table.ordinals.insert(exports->Base + i);
    return table;
}

TEST(ExportsTest, FunctionsAreExportedByOrdinalOnly)
{
    ASSERT_NE(OptionDll(), nullptr);
    ExportTable table = ReadExportTable(OptionDll());
    EXPECT_EQ(table.names, 0u) << "the export table must carry no names";
    EXPECT_EQ(table.ordinals, (std::set<DWORD>{CORVANE_ORDINAL_SHOW_OPTIONS, CORVANE_ORDINAL_RESET_ALIASES, CORVANE_ORDINAL_RESET_SERVICES}));
    EXPECT_EQ(GetProcAddress(OptionDll(), "ShowOptions"), nullptr);
    EXPECT_EQ(GetProcAddress(OptionDll(), "ResetAliases"), nullptr);
    EXPECT_EQ(GetProcAddress(OptionDll(), "ResetServices"), nullptr);
}

TEST(ExportsTest, LoadsWithoutAnyOtherLibraryOfTheToolchain)
{
    // Every import must be a system library: the add-on ships OPTION.dll alone.
    const BYTE* image = reinterpret_cast<const BYTE*>(OptionDll());
    const IMAGE_NT_HEADERS* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(image + reinterpret_cast<const IMAGE_DOS_HEADER*>(image)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    ASSERT_NE(directory.VirtualAddress, 0u);
    for (const IMAGE_IMPORT_DESCRIPTOR* import =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image + directory.VirtualAddress);
         import->Name; ++import) {
        std::string name = reinterpret_cast<const char*>(image + import->Name);
        for (char& c : name) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(name.find("libstdc++"), std::string::npos) << name;
        EXPECT_EQ(name.find("libgcc"), std::string::npos) << name;
        EXPECT_EQ(name.find("libwinpthread"), std::string::npos) << name;
    }
}

class ShowOptionsArgumentsTest : public SheetTest {
protected:
    // ShowOptions with one argument spoiled; no sheet may appear.
    int ShowRejected(HWND parent, void* reserved, const wchar_t* vendorArg, const wchar_t* productArg,
                     const wchar_t* version)
    {
        driver::ShowOptionsFn showOptions = OptionFunction<driver::ShowOptionsFn>(CORVANE_ORDINAL_SHOW_OPTIONS);
        bool sheetShown = false;
        INT_PTR result = driver::RunSheet(
            driver::HostWindow(),
            [&]() { return static_cast<INT_PTR>(showOptions(parent, 0, 5, 0, reserved, vendorArg, productArg, version, 0)); },
            [&](driver::Sheet&) { sheetShown = true; }, 20000);
        EXPECT_FALSE(sheetShown);
        return static_cast<int>(result);
    }
};

TEST_F(ShowOptionsArgumentsTest, BadArgumentsAreRejectedWithTwoAndNoSheet)
{
    int reserved = 0;
    HWND host = driver::HostWindow();
    const wchar_t* v = vendor.c_str();
    const wchar_t* p = product.c_str();
    EXPECT_EQ(ShowRejected(NULL, &reserved, v, p, L"1.0"), CORVANE_SHOW_REJECTED);
    EXPECT_EQ(ShowRejected(host, NULL, v, p, L"1.0"), CORVANE_SHOW_REJECTED);
    EXPECT_EQ(ShowRejected(host, &reserved, NULL, p, L"1.0"), CORVANE_SHOW_REJECTED);
    EXPECT_EQ(ShowRejected(host, &reserved, v, NULL, L"1.0"), CORVANE_SHOW_REJECTED);
    EXPECT_EQ(ShowRejected(host, &reserved, v, p, NULL), CORVANE_SHOW_REJECTED);

    HWND gone = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    DestroyWindow(gone);
    EXPECT_EQ(ShowRejected(gone, &reserved, v, p, L"1.0"), CORVANE_SHOW_REJECTED);
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, SettingsPath())) << "a rejected call writes nothing";
}


// Where the settings would land for a vendor or product that names no key of its own.
const wchar_t* const kStrayKeys[] = {L"Software\\Alias", L"Software\\Service", L"Software\\Keys",
                                     L"Software\\Product"};

// The exports given names the registry cannot take as they stand, and a host that goes away.
// The vendor is this suite's own, so that nothing else writes below it.
class ExportNamesTest : public ShowOptionsArgumentsTest {
protected:
    void SetUp() override
    {
        vendor = kVendor;
        ShowOptionsArgumentsTest::SetUp();
        testreg::DeleteTree(HKEY_CURRENT_USER, VendorPath());
        softwareValues = testreg::ValueNames(HKEY_CURRENT_USER, L"Software");
        for (const wchar_t* key : kStrayKeys)
            if (testreg::KeyExists(HKEY_CURRENT_USER, key)) strayKeysBefore.insert(key);
    }
    void TearDown() override
    {
        // Whatever a failing case put on Software itself goes again.
        testreg::DeleteTree(HKEY_CURRENT_USER, VendorPath());
        for (const wchar_t* key : kStrayKeys)
            if (!strayKeysBefore.count(key)) testreg::DeleteTree(HKEY_CURRENT_USER, key);
        for (const std::wstring& name : testreg::ValueNames(HKEY_CURRENT_USER, L"Software"))
            if (std::find(softwareValues.begin(), softwareValues.end(), name) == softwareValues.end())
                testreg::DeleteValue(HKEY_CURRENT_USER, L"Software", name.c_str());
        ShowOptionsArgumentsTest::TearDown();
    }
    static std::wstring VendorPath() { return std::wstring(L"Software\\") + kVendor; }

    static void ResetLists(const wchar_t* vendorArg, const wchar_t* productArg)
    {
        for (int ordinal : {CORVANE_ORDINAL_RESET_ALIASES, CORVANE_ORDINAL_RESET_SERVICES}) OptionFunction<CorvaneResetListFn>(ordinal)(vendorArg, productArg, L"2.1");
    }

    // Shows every page, adds an alias, sets a tab count of 5 and applies; returns ShowOptions'
    // result.
    int ApplyEveryPage(const wchar_t* vendorArg, const wchar_t* productArg)
    {
        driver::HostArgs args = Args(0);
        args.vendor = vendorArg;
        args.product = productArg;
        return Show(args, [](driver::Sheet& sheet) { UseEveryPage(sheet); sheet.Ok(); });
    }
    static void UseEveryPage(driver::Sheet& sheet)
    {
        for (int page = 0; page < CORVANE_PAGE_COUNT; ++page) sheet.Select(page);
        sheet.Select(CORVANE_PAGE_ALIAS);
        sheet.Click(IDC_URL_ADD);
        sheet.Select(CORVANE_PAGE_TAB_APPEARANCE);
        sheet.ChooseCombo(IDC_TAB_APPEARANCE_COUNT_COMBO, 3);
    }

    static constexpr const wchar_t* kVendor = L"CorvaneArgumentTests";
    std::vector<std::wstring> softwareValues;
    std::set<std::wstring> strayKeysBefore;
    // The PIE page applies the browser's values whatever the vendor and product.
    testreg::SavedKey internetSettings{HKEY_LOCAL_MACHINE,
                                       L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings"};
    testreg::SavedKey explorer{HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer"};
};

TEST_F(ExportNamesTest, AllNullArgumentsAreRejectedEverywhereAndLeaveTheNextCallIntact)
{
    EXPECT_EQ(ShowRejected(NULL, NULL, NULL, NULL, NULL), CORVANE_SHOW_REJECTED);
    OptionFunction<CorvaneResetListFn>(CORVANE_ORDINAL_RESET_ALIASES)(NULL, NULL, NULL);
    OptionFunction<CorvaneResetListFn>(CORVANE_ORDINAL_RESET_SERVICES)(NULL, NULL, NULL);
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, VendorPath()));

    // The host's next, good calls find nothing left of the rejected ones.
    ResetLists(vendor.c_str(), product.c_str());
    EXPECT_EQ(ApplyEveryPage(vendor.c_str(), product.c_str()), ShowResult(CORVANE_PAGE_TAB_APPEARANCE, CORVANE_SHEET_OK));
    EXPECT_EQ(Dword(L"TabCount"), 5u);
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, SectionPath(L"Alias")).size(), 42u) << "20 defaults and one added";
}

TEST_F(ExportNamesTest, HostWindowDestroyedUnderTheOpenSheetEndsItAsCancelled)
{
    HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPED | WS_VISIBLE, 300, 0, 200, 100, NULL, NULL,
                                GetModuleHandleW(NULL), NULL);
    ASSERT_NE(host, nullptr);
    driver::ShowOptionsFn showOptions = OptionFunction<driver::ShowOptionsFn>(CORVANE_ORDINAL_SHOW_OPTIONS);
    int reserved = 0;
    bool shown = false;
    const INT_PTR result = driver::RunSheet(
        host,
        [&]() {
            return static_cast<INT_PTR>(
                showOptions(host, 0, 5, 0, &reserved, vendor.c_str(), product.c_str(), L"2.1", 0));
        },
        [&](driver::Sheet& sheet) {
            shown = true;
            UseEveryPage(sheet);
            DestroyWindow(host);
        },
        20000);
    EXPECT_TRUE(shown);
    EXPECT_EQ(result, ShowResult(CORVANE_PAGE_TAB_APPEARANCE, CORVANE_SHEET_CANCEL)) << "closed on the last page shown, as Cancel closes it";
    DWORD count = 0;
    EXPECT_FALSE(ReadDword(L"TabCount", &count)) << "nothing is applied";
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, SectionPath(L"Alias")));
    EXPECT_EQ(ApplyEveryPage(vendor.c_str(), product.c_str()), ShowResult(CORVANE_PAGE_TAB_APPEARANCE, CORVANE_SHEET_OK)) << "the next sheet works";
}

// Vendors and products of 300 characters, which the registry refuses as a key name, and ones
// without any name in them, which would put the settings on Software or on the vendor's key:
// no export writes anything, and the sheet works and closes as usual.
TEST_F(ExportNamesTest, NamesThatGiveNoKeyOfTheirOwnWriteNothing)
{
    const std::wstring tooLong(300, L'n');
    const struct {
        std::wstring vendor, product;
    } cases[] = {
        {tooLong, L"Product"}, {kVendor, tooLong}, {L"", L"Product"}, {kVendor, L""}, {kVendor, L"\\"},
        {L"\\\\", L"\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.vendor.substr(0, 24)) + " " +
                     testing::PrintToString(c.product.substr(0, 24)));
        ResetLists(c.vendor.c_str(), c.product.c_str());
        EXPECT_EQ(ApplyEveryPage(c.vendor.c_str(), c.product.c_str()), ShowResult(CORVANE_PAGE_TAB_APPEARANCE, CORVANE_SHEET_OK)) << "closed with OK";
        EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, VendorPath()));
        EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, L"Software\\" + tooLong.substr(0, 255)));
        for (const wchar_t* key : kStrayKeys)
            EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, key)) << testing::PrintToString(key);
        EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, L"Software"), softwareValues) << "no value lands on Software";
    }
}

// A backslash in the vendor or product makes deeper keys, as in any registry path: the host
// composes Software\<vendor>\<product> and reads the settings there.
TEST_F(ExportNamesTest, BackslashesMakeDeeperKeysWhereTheHostComposedThem)
{
    const std::wstring nestedVendor = std::wstring(kVendor) + L"\\Nested";
    const std::wstring nestedProduct = L"Deep\\Product";
    const std::wstring key = L"Software\\" + nestedVendor + L"\\" + nestedProduct;
    ResetLists(nestedVendor.c_str(), nestedProduct.c_str());
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, key + L"\\Alias").size(), 40u);
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, key + L"\\Service").size(), 96u);
    EXPECT_EQ(ApplyEveryPage(nestedVendor.c_str(), nestedProduct.c_str()), ShowResult(CORVANE_PAGE_TAB_APPEARANCE, CORVANE_SHEET_OK));
    DWORD count = 0;
    EXPECT_TRUE(testreg::ReadDword(HKEY_CURRENT_USER, key, L"TabCount", &count));
    EXPECT_EQ(count, 5u);
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, key + L"\\Alias").size(), 42u);

    // The registry folds doubled, leading and trailing backslashes, for the host as for us.
    const std::wstring foldedVendor = L"\\" + std::wstring(kVendor) + L"\\\\Nested\\";
    const std::wstring foldedProduct = L"Deep\\\\Product\\";
    driver::HostArgs args = Args(CORVANE_PAGE_TAB_APPEARANCE);
    args.vendor = foldedVendor.c_str();
    args.product = foldedProduct.c_str();
    ExpectRanOn(CORVANE_PAGE_TAB_APPEARANCE, Show(args, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.ComboSelection(IDC_TAB_APPEARANCE_COUNT_COMBO), 3)
            << "the tab count stored under the nested key shows";
        sheet.Cancel();
    }));
}

// The host's main window keeps its timers and hot keys running inside the sheet's modal loop,
// and their handlers may call the exports. Nothing they do there may change what the open
// sheet uses: not a call with null names, not a rejected or a second ShowOptions, not a reset
// for another product, not the host freeing the texts it handed in.
class HostReentrancyTest : public ExportNamesTest {
protected:
    // Runs the call from a timer of the host's window, as the modal loop dispatches it.
    static void FromHostTimer(const std::function<void()>& call)
    {
        pending = &call;
        SetTimer(driver::HostWindow(), kTimerId, 1, OnTimer);
        for (DWORD start = GetTickCount(); pending && GetTickCount() - start < 5000;) {
            MSG msg;
            while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
        }
        EXPECT_EQ(pending, nullptr) << "the host's timer never fired";
        pending = nullptr;
    }
    static void CALLBACK OnTimer(HWND window, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(window, id);
        if (pending) (*pending)();
        pending = nullptr;
    }
    static const UINT_PTR kTimerId = 0xC0;
    static const std::function<void()>* pending;
};
const std::function<void()>* HostReentrancyTest::pending = nullptr;

TEST_F(HostReentrancyTest, ExportsCalledFromTheHostsTimersLeaveTheOpenSheetAlone)
{
    driver::ShowOptionsFn showOptions = OptionFunction<driver::ShowOptionsFn>(CORVANE_ORDINAL_SHOW_OPTIONS);
    const std::wstring otherProduct = product + L"Other";
    // The host's own copies of the texts, which it frees while the sheet is open.
    std::vector<wchar_t> hostVendor(vendor.begin(), vendor.end()), hostProduct(product.begin(), product.end()),
        hostVersion{L'2', L'.', L'1'};
    for (std::vector<wchar_t>* text : {&hostVendor, &hostProduct, &hostVersion}) text->push_back(L'\0');
    driver::HostArgs args = Args(CORVANE_PAGE_TAB_APPEARANCE);
    args.vendor = hostVendor.data();
    args.product = hostProduct.data();
    args.version = hostVersion.data();

    int reserved = 0;
    const int result = Show(args, [&](driver::Sheet& sheet) {
        sheet.ChooseCombo(IDC_TAB_APPEARANCE_COUNT_COMBO, 3);
        for (std::vector<wchar_t>* text : {&hostVendor, &hostProduct, &hostVersion}) {
            std::fill(text->begin(), text->end(), L'X');
            std::vector<wchar_t>().swap(*text);
        }
        sheet.Select(CORVANE_PAGE_ABOUT);
        EXPECT_EQ(sheet.Text(IDC_ABOUT_VERSION_LABEL), L"V2.1")
            << "the version handed in, though the host has freed its copy";
        FromHostTimer([&]() {
            OptionFunction<CorvaneResetListFn>(CORVANE_ORDINAL_RESET_ALIASES)(NULL, NULL, NULL);
            EXPECT_EQ(showOptions(NULL, 1, 0, 0, &reserved, kVendor, L"Rejected", L"9", CORVANE_PAGE_SERVICE),
                      CORVANE_SHOW_REJECTED);
            bool secondSheet = false;
            const INT_PTR nested = driver::RunSheet(
                driver::HostWindow(),
                [&]() {
                    return static_cast<INT_PTR>(showOptions(driver::HostWindow(), 1, 0, 0, &reserved, kVendor,
                                                            otherProduct.c_str(), L"9.9", CORVANE_PAGE_SERVICE));
                },
                [&](driver::Sheet& second) {
                    secondSheet = true;
                    second.Cancel();
                },
                10000);
            EXPECT_EQ(nested, CORVANE_SHOW_REJECTED) << "a second sheet while one is open is refused";
            EXPECT_FALSE(secondSheet);
            OptionFunction<CorvaneResetListFn>(CORVANE_ORDINAL_RESET_SERVICES)(vendor.c_str(), otherProduct.c_str(), L"9.9");
        });
        sheet.Select(CORVANE_PAGE_TAB_APPEARANCE);
        sheet.Select(CORVANE_PAGE_ABOUT);
        sheet.Ok();
    });
    EXPECT_EQ(result, ShowResult(CORVANE_PAGE_ABOUT, CORVANE_SHEET_OK)) << "the page the user left the sheet on";
    EXPECT_EQ(Dword(L"TabCount"), 5u) << "OK stores where the sheet read";
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, SectionPath(L"Alias")).size(), 0u);
    // The reset for the other product did its own work there.
    const std::wstring other = L"Software\\" + vendor + L"\\" + otherProduct;
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, other + L"\\Service").size(), 96u);
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, other).size(), 0u) << "the sheet stored nothing there";
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, std::wstring(L"Software\\") + kVendor + L"\\Rejected"));
    testreg::DeleteTree(HKEY_CURRENT_USER, other);
}

TEST(HostHeaderTest, DecodesTheResultOfShowOptionsFromC)
{
    EXPECT_EQ(DecodeLastPage((7 << 16) | 1), 7);
    EXPECT_EQ(DecodeSheetResult((7 << 16) | 1), 1);
    EXPECT_EQ(DecodeSheetResult((3 << 16) | 0xFFFF), -1) << "a failed sheet arrives as -1";
    EXPECT_EQ(CountPages(), 10);
    EXPECT_EQ(CORVANE_PAGE_ABOUT, 9);
    EXPECT_EQ(OptionExport(CORVANE_ORDINAL_RESET_SERVICES), OptionExport(3));
}

}  // namespace
