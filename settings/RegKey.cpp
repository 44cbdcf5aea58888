#include "settings/RegKey.h"

#include "pocketpc/RegistryTree.h"

#include <vector>

namespace {
// The device ignores the access mask; the desktop registry checks it.
const REGSAM kReadWrite = KEY_READ | KEY_WRITE;
const REGSAM kReadOnly = KEY_READ;
const DWORD kNameLength = 256;

// A name as an enumeration returns it: the length in, the characters out.
struct NameBuffer {
    wchar_t text[kNameLength];
    DWORD length = kNameLength;

    // A length the platform reports past the buffer is cut at it.
    void CopyTo(std::wstring& name) const { name.assign(text, length < kNameLength ? length : kNameLength - 1); }
};
// The registry's limit for a value name, with its terminator.
const DWORD kLongestValueName = 16384;
}  // namespace

RegKey::RegKey() : instance(NULL), key(NULL), status(ERROR_SUCCESS)
{
}

RegKey::~RegKey()
{
    if (key) Close();
}

int RegKey::Create(HKEY root, LPCWSTR path, DWORD* disposition)
{
    if (key && !Close()) return 0;  // an object holds one key; never leak the previous one
    DWORD created = 0;
    status = RegCreateKeyExW(root, path, 0, NULL, 0, kReadWrite, NULL, &key, &created);
    if (status != ERROR_SUCCESS) {
        key = NULL;
        return 0;
    }
    if (disposition) *disposition = created;
    return 1;
}

int RegKey::Open(HKEY root, LPCWSTR path, Access access)
{
    if (key && !Close()) return 0;
    status = RegOpenKeyExW(root, path, 0, access == ReadOnly ? kReadOnly : kReadWrite, &key);
    if (status != ERROR_SUCCESS) {
        key = NULL;
        return 0;
    }
    return 1;
}

int RegKey::Close()
{
    if (!key) return 1;
    if (RegCloseKey(key) != ERROR_SUCCESS) return 0;
    key = NULL;
    return 1;
}

int RegKey::QueryValue(LPCWSTR name, BYTE* data, DWORD* type, DWORD* size)
{
    if (!key) return 0;
    return RegQueryValueExW(key, name, NULL, type, data, size) == ERROR_SUCCESS;
}

int RegKey::ReadDword(LPCWSTR name, DWORD* value)
{
    if (!value) return 0;
    // Read into a local first: data of another type (a short string, say) must not reach
    // the caller's variable, which holds the default to fall back on.
    DWORD data = 0;
    DWORD type = 0;
    DWORD size = sizeof(data);
    if (!QueryValue(name, reinterpret_cast<BYTE*>(&data), &type, &size) || type != REG_DWORD || size != sizeof(data))
        return 0;
    *value = data;
    return 1;
}

DWORD RegKey::ReadDwordOr(LPCWSTR name, DWORD fallback)
{
    DWORD value = fallback;
    ReadDword(name, &value);
    return value;
}

DWORD RegKey::ReadDwordOr(UINT nameId, DWORD fallback)
{
    DWORD value = fallback;
    ReadDword(nameId, &value);
    return value;
}

int RegKey::ReadString(LPCWSTR name, wchar_t* buffer, DWORD* size)
{
    if (!buffer || !size) return 0;
    const DWORD capacity = *size;
    DWORD type = 0;
    if (!QueryValue(name, reinterpret_cast<BYTE*>(buffer), &type, size) || type != REG_SZ) return 0;

    // Stored data need not end with a NUL, and may even end in half a character: terminate
    // it after its last whole character when there is room, and refuse it when there is not.
    const DWORD characters = *size / sizeof(wchar_t);
    if (characters > 0 && buffer[characters - 1] == L'\0' && *size % sizeof(wchar_t) == 0) return 1;
    if ((characters + 1) * sizeof(wchar_t) > capacity) return 0;
    buffer[characters] = L'\0';
    *size = (characters + 1) * sizeof(wchar_t);
    return 1;
}

int RegKey::SetValue(LPCWSTR name, const BYTE* data, DWORD type, DWORD size)
{
    if (!key) return 0;
    return RegSetValueExW(key, name, 0, type, data, size) == ERROR_SUCCESS;
}

int RegKey::WriteDword(LPCWSTR name, DWORD value)
{
    return SetValue(name, reinterpret_cast<const BYTE*>(&value), REG_DWORD, sizeof(value));
}

int RegKey::WriteString(LPCWSTR name, LPCWSTR text)
{
    if (!text) return 0;
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    if (bytes > MAXDWORD) return 0;
    return SetValue(name, reinterpret_cast<const BYTE*>(text), REG_SZ, static_cast<DWORD>(bytes));
}

LPCWSTR RegKey::ValueName(UINT nameId) const
{
    return LoadStringPointer(instance, nameId);
}

int RegKey::ReadDword(UINT nameId, DWORD* value)
{
    LPCWSTR name = ValueName(nameId);
    return name ? ReadDword(name, value) : 0;
}

int RegKey::ReadString(UINT nameId, wchar_t* buffer, DWORD* size)
{
    LPCWSTR name = ValueName(nameId);
    return name ? ReadString(name, buffer, size) : 0;
}

int RegKey::WriteDword(UINT nameId, DWORD value)
{
    LPCWSTR name = ValueName(nameId);
    return name ? WriteDword(name, value) : 0;
}

int RegKey::WriteString(UINT nameId, LPCWSTR text)
{
    LPCWSTR name = ValueName(nameId);
    return name ? WriteString(name, text) : 0;
}

int RegKey::EnumSubKeyName(DWORD index, std::wstring& name)
{
    if (!key) return 0;
    NameBuffer buffer;
    if (RegEnumKeyExW(key, index, buffer.text, &buffer.length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) return 0;
    buffer.CopyTo(name);
    return 1;
}

int RegKey::EnumValueName(DWORD index, std::wstring& name, DWORD* type, BYTE* data, DWORD* size)
{
    if (!key) return 0;
    NameBuffer buffer;
    if (RegEnumValueW(key, index, buffer.text, &buffer.length, NULL, type, data, size) != ERROR_SUCCESS) return 0;
    buffer.CopyTo(name);
    return 1;
}

int RegKey::DeleteValue(LPCWSTR name)
{
    if (!key) return 0;
    return RegDeleteValueW(key, name) == ERROR_SUCCESS;
}

int RegKey::DeleteValues()
{
    if (!key) return 0;
    // Names past the usual 256 characters are named with room for the longest the registry
    // allows, so that every value can go. A value that cannot be named or deleted is stepped
    // over, so the loop always ends.
    std::vector<wchar_t> name(kNameLength);
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(name.size());
        LONG found = RegEnumValueW(key, index, name.data(), &length, NULL, NULL, NULL, NULL);
        if (found == ERROR_MORE_DATA && name.size() < kLongestValueName) {
            name.resize(kLongestValueName);
            continue;
        }
        if (found == ERROR_NO_MORE_ITEMS) break;
        if (found != ERROR_SUCCESS || RegDeleteValueW(key, name.data()) != ERROR_SUCCESS) ++index;
        if (found != ERROR_SUCCESS && found != ERROR_MORE_DATA) break;
    }
    DWORD length = static_cast<DWORD>(name.size());
    return RegEnumValueW(key, 0, name.data(), &length, NULL, NULL, NULL, NULL) == ERROR_NO_MORE_ITEMS;
}

int RegKey::DeleteSubKey(LPCWSTR name)
{
    // A null or empty name would empty this key itself.
    if (!key || !name || !*name) return 0;
    return DeleteKeyTree(key, name) == ERROR_SUCCESS;
}
