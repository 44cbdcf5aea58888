#include "settings/SettingsKey.h"

#include "host/HostContext.h"

SettingsKey::SettingsKey() : vendor(hostContext.vendor), product(hostContext.product)
{
    instance = hostContext.instance;
}

bool SettingsKey::ComposePath(LPCWSTR section, std::wstring& path) const
{
    if (!vendor || !product) return false;
    path = L"Software\\";
    path += vendor;
    path += L'\\';
    path += product;
    if (section) {
        path += L'\\';
        path += section;
    }
    return true;
}

int SettingsKey::Create(LPCWSTR section, DWORD* disposition)
{
    std::wstring path;
    return ComposePath(section, path) ? RegKey::Create(HKEY_CURRENT_USER, path.c_str(), disposition) : 0;
}

int SettingsKey::Open(LPCWSTR section)
{
    std::wstring path;
    return ComposePath(section, path) ? RegKey::Open(HKEY_CURRENT_USER, path.c_str()) : 0;
}
