// The demo host writes the settings it reads as a REGEDIT4 file that regedit imports back
// to the same values.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/Fixtures.h"

namespace {

class RegExportTest : public SettingsTest {
protected:
    // Runs a program of this machine and waits for it; returns its exit code.
    static DWORD RunProgram(std::wstring commandLine)
    {
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        if (!CreateProcessW(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) return 9999;
        WaitForSingleObject(process.hProcess, 60000);
        DWORD code = 9999;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return code;
    }

    static std::wstring BesideThisProgram(const wchar_t* name)
    {
        wchar_t path[MAX_PATH];
        DWORD length = GetModuleFileNameW(NULL, path, MAX_PATH);
        while (length > 0 && path[length - 1] != L'\\') --length;
        return std::wstring(path, length) + name;
    }

    struct Value {
        DWORD type;
        std::vector<BYTE> data;
    };
    std::vector<std::pair<std::wstring, Value>> Snapshot(const std::wstring& path)
    {
        std::vector<std::pair<std::wstring, Value>> values;
        for (const std::wstring& name : testreg::ValueNames(HKEY_CURRENT_USER, path)) {
            Value value;
            testreg::ReadRaw(HKEY_CURRENT_USER, path, name.empty() ? NULL : name.c_str(), &value.type, &value.data);
            values.push_back({name, value});
        }
        return values;
    }
};

TEST_F(RegExportTest, ExportedFileImportsBackToTheSameValues)
{
    WriteDword(L"TabCount", 5);
    WriteDword(L"MenuTab", 0xFFFFFFFF);
    testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"ViewSourceApp", L"\\windows\\\"notes\".exe");
    testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"EventSoundFile", L"");
    testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"Accents", L"caf\x00e9 na\x00efve");
    const BYTE binary[] = {1, 2, 3, 0xFF};
    testreg::WriteRaw(HKEY_CURRENT_USER, SettingsPath(), L"Binary", REG_BINARY, binary, sizeof(binary));
    testreg::WriteString(HKEY_CURRENT_USER, SectionPath(L"Alias"), L"0_Name", L"DEc");
    testreg::WriteString(HKEY_CURRENT_USER, SectionPath(L"Alias"), L"0_URL", L"http://www.%s.com/");
    testreg::WriteDword(HKEY_CURRENT_USER, SectionPath(L"Keys\\40C1"), NULL, 0x00450020);

    const auto settings = Snapshot(SettingsPath());
    const auto alias = Snapshot(SectionPath(L"Alias"));
    const auto button = Snapshot(SectionPath(L"Keys\\40C1"));

    const std::wstring file = L"C:\\windows\\temp\\" + product + L".reg";
    DeleteFileW(file.c_str());
    ASSERT_EQ(RunProgram(L"\"" + BesideThisProgram(L"corvane-demo.exe") + L"\" --no-sheet --vendor " + vendor +
                         L" --product " + product + L" --export \"" + file + L"\""),
              0u);

    std::ifstream in(file.c_str(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str().rfind("REGEDIT4\r\n", 0), 0u);
    EXPECT_NE(text.str().find("\"TabCount\"=dword:00000005"), std::string::npos);
    EXPECT_NE(text.str().find("\"ViewSourceApp\"=\"\\\\windows\\\\\\\"notes\\\".exe\""), std::string::npos);

    testreg::DeleteTree(HKEY_CURRENT_USER, SettingsPath());
    ASSERT_EQ(RunProgram(L"regedit.exe /s \"" + file + L"\""), 0u);
    DeleteFileW(file.c_str());

    EXPECT_EQ(Snapshot(SettingsPath()).size(), settings.size());
    for (const auto& [name, value] : settings) {
        DWORD type = 0;
        std::vector<BYTE> data;
        ASSERT_TRUE(testreg::ReadRaw(HKEY_CURRENT_USER, SettingsPath(), name.c_str(), &type, &data))
            << std::string(name.begin(), name.end());
        EXPECT_EQ(type, value.type) << std::string(name.begin(), name.end());
        EXPECT_EQ(data, value.data) << std::string(name.begin(), name.end());
    }
    EXPECT_EQ(Snapshot(SectionPath(L"Alias")).size(), alias.size());
    DWORD assignment = 0;
    EXPECT_TRUE(testreg::ReadDword(HKEY_CURRENT_USER, SectionPath(L"Keys\\40C1"), NULL, &assignment));
    EXPECT_EQ(assignment, 0x00450020u);
    EXPECT_EQ(Snapshot(SectionPath(L"Keys\\40C1")).size(), button.size());
}

}  // namespace
