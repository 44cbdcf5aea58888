// Direct registry access for tests: what the component stored, and data to prepare, of any
// type and form, without going through the component's own classes.
#pragma once

#include <windows.h>

#include <cwchar>
#include <map>
#include <string>
#include <vector>

namespace testreg {

// The other software's keys the component reads and writes, below HKEY_LOCAL_MACHINE or
// HKEY_CURRENT_USER as each test says.
const wchar_t kShellKeys[] = L"Software\\Microsoft\\Shell\\Keys";
const wchar_t kInternetSettings[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const wchar_t kUserAgent[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent";
const wchar_t kPostPlatform[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform";
const wchar_t kExplorer[] = L"Software\\Microsoft\\Internet Explorer";
const wchar_t kExplorerMain[] = L"Software\\Microsoft\\Internet Explorer\\Main";

void DeleteTree(HKEY root, const std::wstring& path);
bool KeyExists(HKEY root, const std::wstring& path);

bool ReadDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD* value);
bool ReadString(HKEY root, const std::wstring& path, const wchar_t* name, std::wstring* value);
// Type and raw bytes of a value; false when it is absent.
bool ReadRaw(HKEY root, const std::wstring& path, const wchar_t* name, DWORD* type, std::vector<BYTE>* data);
// Every value name of the key.
std::vector<std::wstring> ValueNames(HKEY root, const std::wstring& path);
// Every subkey name of the key, in the registry's enumeration order.
std::vector<std::wstring> SubkeyNames(HKEY root, const std::wstring& path);

struct RawValue {
    DWORD type;
    std::vector<BYTE> data;
    bool operator==(const RawValue& other) const { return type == other.type && data == other.data; }
};
// Value names, like key names, are found regardless of case.
struct NameLess {
    bool operator()(const std::wstring& a, const std::wstring& b) const { return _wcsicmp(a.c_str(), b.c_str()) < 0; }
};
typedef std::map<std::wstring, RawValue, NameLess> ValueMap;
// Every value of the key with its type and bytes, by name ("" is the default value); empty
// when the key is absent.
ValueMap Values(HKEY root, const std::wstring& path);

void WriteDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value);
void WriteString(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value);
void WriteRaw(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type, const void* data, DWORD size);
void DeleteValue(HKEY root, const std::wstring& path, const wchar_t* name);

// Saves a key with everything below it and puts it back when destroyed, for tests that
// change keys shared with other software (the browser's, the shell's).
class SavedKey {
public:
    SavedKey(HKEY root, const std::wstring& path);
    ~SavedKey();
    SavedKey(const SavedKey&) = delete;
    SavedKey& operator=(const SavedKey&) = delete;

private:
    struct Value {
        std::wstring name;
        DWORD type;
        std::vector<BYTE> data;
    };
    struct Node {
        std::wstring path;
        std::vector<Value> values;
    };
    void Save(const std::wstring& path);

    HKEY root;
    std::wstring path;
    bool existed;
    std::vector<Node> nodes;
};

}  // namespace testreg
