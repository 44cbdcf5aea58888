// OPTION.dll as the host sees it: its export table and ShowOptions' handling of its arguments.
#include <gtest/gtest.h>

#include <set>

#include "include/corvane_options.h"
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
    EXPECT_EQ(table.ordinals, (std::set<DWORD>{1, 2, 3}));
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
        driver::ShowOptionsFn showOptions = OptionFunction<driver::ShowOptionsFn>(1);
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
    EXPECT_EQ(ShowRejected(NULL, &reserved, v, p, L"1.0"), 2);
    EXPECT_EQ(ShowRejected(host, NULL, v, p, L"1.0"), 2);
    EXPECT_EQ(ShowRejected(host, &reserved, NULL, p, L"1.0"), 2);
    EXPECT_EQ(ShowRejected(host, &reserved, v, NULL, L"1.0"), 2);
    EXPECT_EQ(ShowRejected(host, &reserved, v, p, NULL), 2);

    HWND gone = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    DestroyWindow(gone);
    EXPECT_EQ(ShowRejected(gone, &reserved, v, p, L"1.0"), 2);
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, SettingsPath())) << "a rejected call writes nothing";
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
