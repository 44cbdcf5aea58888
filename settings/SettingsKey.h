// The add-on's own key, HKEY_CURRENT_USER\Software\<vendor>\<product>, or a section below it.
#pragma once

#include "settings/RegKey.h"

class SettingsKey : public RegKey {
public:
    SettingsKey();

    // Opens the key (and section), creating what is missing.
    int Create(LPCWSTR section, DWORD* disposition);
    // Opens the key (and section) only when it exists.
    int Open(LPCWSTR section, Access access = ReadWrite);

private:
    // Software\<vendor>\<product>[\<section>]; false when the host gave no vendor or product,
    // or one that names no key.
    bool ComposePath(LPCWSTR section, std::wstring& path) const;
    int NoKey();

    LPCWSTR vendor;
    LPCWSTR product;
};
