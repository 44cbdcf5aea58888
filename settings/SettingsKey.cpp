#include "settings/SettingsKey.h"

#include "host/HostContext.h"

namespace {
// The registry's limit for the name of one key.
const size_t kMaxKeyName = 255;

// Backslashes in a vendor or product separate key levels, as everywhere in the registry, so
// "Maker\Mobile" is two levels. A text with no name in it at all would put the settings on
// Software itself or on the vendor's own key, beside everything else stored there; a level
// longer than the registry allows would be refused only after the levels above it had been
// created. Neither gives the add-on a key of its own.
bool NamesOwnKey(LPCWSTR text)
{
    bool named = false;
    size_t level = 0;
    for (; *text; ++text) {
        if (*text == L'\\') {
            level = 0;
            continue;
        }
        named = true;
        if (++level > kMaxKeyName) return false;
    }
    return named;
}
}  // namespace

SettingsKey::SettingsKey() : vendor(hostContext.vendor), product(hostContext.product)
{
    instance = hostContext.instance;
}

int SettingsKey::NoKey()
{
    // Not "not found": there is no key to find, and nothing may take its absence for a sign.
    Close();
    status = ERROR_BAD_PATHNAME;
    return 0;
}

bool SettingsKey::ComposePath(LPCWSTR section, std::wstring& path) const
{
    if (!vendor || !product || !NamesOwnKey(vendor) || !NamesOwnKey(product)) return false;
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
    if (!ComposePath(section, path)) return NoKey();
    return RegKey::Create(HKEY_CURRENT_USER, path.c_str(), disposition);
}

int SettingsKey::Open(LPCWSTR section, Access access)
{
    std::wstring path;
    if (!ComposePath(section, path)) return NoKey();
    return RegKey::Open(HKEY_CURRENT_USER, path.c_str(), access);
}
