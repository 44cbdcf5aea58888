#include "support/Registry.h"

namespace testreg {

void DeleteTree(HKEY root, const std::wstring& path)
{
    RegDeleteTreeW(root, path.c_str());
    RegDeleteKeyW(root, path.c_str());
}

bool KeyExists(HKEY root, const std::wstring& path)
{
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool ReadRaw(HKEY root, const std::wstring& path, const wchar_t* name, DWORD* type, std::vector<BYTE>* data)
{
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    LONG status = RegQueryValueExW(key, name, NULL, type, NULL, &size);
    if (status == ERROR_SUCCESS) {
        data->assign(size, 0);
        status = RegQueryValueExW(key, name, NULL, type, data->empty() ? NULL : data->data(), &size);
        data->resize(size);
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool ReadDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD* value)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadRaw(root, path, name, &type, &data) || type != REG_DWORD || data.size() != 4) return false;
    *value = *reinterpret_cast<const DWORD*>(data.data());
    return true;
}

bool ReadString(HKEY root, const std::wstring& path, const wchar_t* name, std::wstring* value)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadRaw(root, path, name, &type, &data) || type != REG_SZ) return false;
    value->assign(reinterpret_cast<const wchar_t*>(data.data()), data.size() / 2);
    // The stored form of a string includes its NUL; keep the text only.
    if (!value->empty() && value->back() == L'\0') value->pop_back();
    return true;
}

std::vector<std::wstring> ValueNames(HKEY root, const std::wstring& path)
{
    std::vector<std::wstring> names;
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD length = 16384;
        if (RegEnumValueW(key, i, name, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
}

std::vector<std::wstring> SubkeyNames(HKEY root, const std::wstring& path)
{
    std::vector<std::wstring> names;
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key, i, name, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
}

ValueMap Values(HKEY root, const std::wstring& path)
{
    ValueMap values;
    for (const std::wstring& name : ValueNames(root, path)) {
        RawValue value{0, {}};
        if (ReadRaw(root, path, name.c_str(), &value.type, &value.data)) values[name] = value;
    }
    return values;
}

void WriteRaw(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    if (RegCreateKeyExW(root, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS) return;
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void DeleteValue(HKEY root, const std::wstring& path, const wchar_t* name)
{
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, name);
    RegCloseKey(key);
}

void WriteDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value)
{
    WriteRaw(root, path, name, REG_DWORD, &value, sizeof(value));
}

void WriteString(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value)
{
    WriteRaw(root, path, name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

SavedKey::SavedKey(HKEY root, const std::wstring& path) : root(root), path(path), existed(KeyExists(root, path))
{
    if (existed) Save(path);
}

void SavedKey::Save(const std::wstring& keyPath)
{
    HKEY key;
    if (RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    Node node;
    node.path = keyPath;
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD length = 16384, type = 0, size = 0;
        if (RegEnumValueW(key, i, name, &length, NULL, &type, NULL, &size) != ERROR_SUCCESS) break;
        Value value{std::wstring(name, length), type, std::vector<BYTE>(size)};
        length = 16384;
        RegEnumValueW(key, i, name, &length, NULL, &type, value.data.empty() ? NULL : value.data.data(), &size);
        value.data.resize(size);
        node.values.push_back(value);
    }
    RegCloseKey(key);
    nodes.push_back(node);
    for (const std::wstring& child : SubkeyNames(root, keyPath)) Save(keyPath + L"\\" + child);
}

SavedKey::~SavedKey()
{
    DeleteTree(root, path);
    if (!existed) return;
    for (const Node& node : nodes) {
        HKEY key;
        if (RegCreateKeyExW(root, node.path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS)
            continue;
        for (const Value& value : node.values)
            RegSetValueExW(key, value.name.empty() ? NULL : value.name.c_str(), 0, value.type,
                           value.data.empty() ? NULL : value.data.data(), static_cast<DWORD>(value.data.size()));
        RegCloseKey(key);
    }
}

}  // namespace testreg
