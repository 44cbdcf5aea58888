// Test fixtures: each test has its own settings key, removed before and after it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/Registry.h"
#include "support/SheetDriver.h"

// The loaded OPTION.dll and its exports, resolved by ordinal as the host resolves them.
HMODULE OptionDll();
FARPROC OptionExport(int ordinal);
// An export as the function type the caller expects.
template <typename Function>
Function OptionFunction(int ordinal)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(OptionExport(ordinal)));
}

// What ShowOptions returns when the sheet closed on lastPage with the sheet's result
// (CORVANE_SHEET_*): the value a test expects whole, so that nothing else may be in it.
inline int ShowResult(int lastPage, int sheetResult)
{
    return static_cast<int>((static_cast<unsigned>(lastPage) << 16) | (static_cast<unsigned>(sheetResult) & 0xFFFF));
}

// The sheet closed with OK: ShowOptions took the call and the script ran to its OK.
inline void ExpectOk(int result)
{
    EXPECT_NE(result, CORVANE_SHOW_REJECTED);
    EXPECT_EQ(CORVANE_SHEET_RESULT(result), CORVANE_SHEET_OK) << "the script ran and pressed OK";
}

// The sheet was shown on the page and the script ran there to its Cancel.
inline void ExpectCancelledOn(int page, int result)
{
    EXPECT_EQ(result, ShowResult(page, CORVANE_SHEET_CANCEL)) << "the script ran on the page and pressed Cancel";
}

// The sheet was shown on the page, and the page was the last active: the script ran there.
inline void ExpectRanOn(int page, int result)
{
    EXPECT_NE(result, CORVANE_SHOW_REJECTED);
    EXPECT_EQ(CORVANE_LAST_PAGE(result), page) << "the script ran on the page";
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // HKEY_CURRENT_USER\ + this path is the test's settings key.
    std::wstring SettingsPath() const { return L"Software\\" + vendor + L"\\" + product; }
    std::wstring SectionPath(const std::wstring& section) const { return SettingsPath() + L"\\" + section; }

    bool ReadDword(const wchar_t* name, DWORD* value) const
    {
        return testreg::ReadDword(HKEY_CURRENT_USER, SettingsPath(), name, value);
    }
    DWORD Dword(const wchar_t* name) const;  // fails the test when the value is not a DWORD
    void WriteDword(const wchar_t* name, DWORD value) const
    {
        testreg::WriteDword(HKEY_CURRENT_USER, SettingsPath(), name, value);
    }

    std::wstring vendor = L"CorvaneTests";
    std::wstring product;
};

// Product level: the sheet of the built OPTION.dll, opened through ordinal 1.
class SheetTest : public SettingsTest {
protected:
    driver::HostArgs Args(int startPage = 0) const;
    int Show(const driver::HostArgs& args, const std::function<void(driver::Sheet&)>& script) const;
    int Show(int startPage, const std::function<void(driver::Sheet&)>& script) const
    {
        return Show(Args(startPage), script);
    }
};
