// One open registry key with typed value access. Every operation reports 1 for success
// and 0 for failure; a closed or unopened key makes every value operation fail.
#pragma once

#include <string>

#include "pocketpc/PocketPC.h"

class RegKey {
public:
    // What an open asks for. Keys that are only read are opened for reading alone, so that a
    // registry that enforces access rights still lets a standard user read them.
    enum Access { ReadWrite, ReadOnly };

    RegKey();
    virtual ~RegKey();

    // Opens the key, creating every missing level of the path first.
    int Create(HKEY root, LPCWSTR path, DWORD* disposition);
    // Opens an existing key; creates nothing.
    int Open(HKEY root, LPCWSTR path, Access access = ReadWrite);
    int Close();
    // True when the last Create or Open failed because the key does not exist; a key that
    // exists but could not be opened (no access, say) is not absent.
    bool NotFound() const { return status == ERROR_FILE_NOT_FOUND; }

    int QueryValue(LPCWSTR name, BYTE* data, DWORD* type, DWORD* size);
    int ReadDword(LPCWSTR name, DWORD* value);
    int ReadDword(UINT nameId, DWORD* value);
    // The stored DWORD, or fallback when the value is absent or not a four-byte DWORD.
    DWORD ReadDwordOr(LPCWSTR name, DWORD fallback);
    DWORD ReadDwordOr(UINT nameId, DWORD fallback);
    // size: in, the buffer's capacity in bytes; out, the bytes stored. The text is always
    // terminated inside the buffer, whatever the stored data holds.
    int ReadString(LPCWSTR name, wchar_t* buffer, DWORD* size);
    int ReadString(UINT nameId, wchar_t* buffer, DWORD* size);
    int SetValue(LPCWSTR name, const BYTE* data, DWORD type, DWORD size);
    int WriteDword(LPCWSTR name, DWORD value);
    int WriteDword(UINT nameId, DWORD value);
    int WriteString(LPCWSTR name, LPCWSTR text);
    int WriteString(UINT nameId, LPCWSTR text);

    int EnumSubKeyName(DWORD index, std::wstring& name);
    int EnumValueName(DWORD index, std::wstring& name, DWORD* type, BYTE* data, DWORD* size);
    int DeleteValue(LPCWSTR name);
    // Deletes every value of the key, whatever the length of its name, and leaves its subkeys
    // alone; 1 when the key holds no value afterwards.
    int DeleteValues();
    // Deletes the subkey with everything below it, as the device's registry does.
    int DeleteSubKey(LPCWSTR name);

    HKEY Handle() const { return key; }

    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

protected:
    // A value name given by the id of a string resource, or null when there is none.
    LPCWSTR ValueName(UINT nameId) const;

    HINSTANCE instance;
    HKEY key;
    LONG status;  // of the last Create or Open
};
