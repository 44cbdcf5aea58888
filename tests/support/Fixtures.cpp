#include "support/Fixtures.h"

HMODULE OptionDll()
{
    static HMODULE dll = LoadLibraryW(L"OPTION.dll");
    return dll;
}

FARPROC OptionExport(int ordinal)
{
    HMODULE dll = OptionDll();
    return dll ? GetProcAddress(dll, MAKEINTRESOURCEA(ordinal)) : nullptr;
}

void SettingsTest::SetUp()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    product.assign(name.begin(), name.end());
    testreg::DeleteTree(HKEY_CURRENT_USER, SettingsPath());
}

void SettingsTest::TearDown()
{
    testreg::DeleteTree(HKEY_CURRENT_USER, SettingsPath());
}

DWORD SettingsTest::Dword(const wchar_t* name) const
{
    DWORD value = 0xDEADBEEF;
    EXPECT_TRUE(ReadDword(name, &value)) << "no DWORD value named " << std::string(name, name + wcslen(name));
    return value;
}

driver::HostArgs SheetTest::Args(int startPage) const
{
    driver::HostArgs args;
    args.vendor = vendor.c_str();
    args.product = product.c_str();
    args.startPage = startPage;
    return args;
}

int SheetTest::Show(const driver::HostArgs& args, const std::function<void(driver::Sheet&)>& script) const
{
    driver::ShowOptionsFn showOptions = OptionFunction<driver::ShowOptionsFn>(CORVANE_ORDINAL_SHOW_OPTIONS);
    EXPECT_NE(showOptions, nullptr) << "OPTION.dll or its ordinal 1 is missing";
    if (!showOptions) return -1;
    return driver::Run(showOptions, args, script);
}
