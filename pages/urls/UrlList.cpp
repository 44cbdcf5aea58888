#include "pages/urls/UrlList.h"

#include <cwchar>

#include "host/Exports.h"
#include "host/HostContext.h"
#include "resource.h"
#include "settings/SettingsKey.h"

const wchar_t kAliasSubkey[] = L"Alias";
const wchar_t kServiceSubkey[] = L"Service";

namespace {

// The host reads each value into 4096 bytes, so longer values could never be read back.
const DWORD kValueBytes = 4096;
const size_t kFlagCount = 2;

void FormatValueName(wchar_t (&name)[32], int index, const wchar_t* suffix)
{
    swprintf(name, 32, L"%d_%ls", index, suffix);
}

void WriteEntry(SettingsKey& key, int index, LPCWSTR storedName, LPCWSTR url)
{
    wchar_t name[32];
    FormatValueName(name, index, L"Name");
    key.WriteString(name, storedName);
    FormatValueName(name, index, L"URL");
    key.WriteString(name, url);
}

// Opens the list's key empty for a rewrite, so that values of a longer earlier list cannot
// linger behind the new end. Keys other software keeps below the list stay: such a list is
// emptied value by value. A list with no key below it is dropped and made anew, which asks
// the registry a few calls where emptying asks two for every value.
bool OpenEmptyList(SettingsKey& list, LPCWSTR subkey)
{
    if (!list.Create(subkey, NULL)) return false;
    std::wstring below;
    if (!list.EnumSubKeyName(0, below)) {
        list.Close();
        SettingsKey settings;
        if (settings.Open(NULL)) settings.DeleteSubKey(subkey);
        if (!list.Create(subkey, NULL)) return false;
    }
    // What stays after a drop the registry refused, and the values of a list with keys below it.
    list.DeleteValues();
    return true;
}

void WriteDefaults(LPCWSTR subkey, UINT firstNameId)
{
    SettingsKey key;
    // Only a list that is not there is seeded: a list the key holds but that cannot be opened
    // just now (no access, say) is still the user's.
    if (key.Open(subkey, RegKey::ReadOnly) || !key.NotFound()) return;
    if (!key.Create(subkey, NULL)) return;
    // The stored names in the string table already carry their flags in front.
    for (UINT id = firstNameId;; id += 2) {
        LPCWSTR storedName = LoadStringPointer(hostContext.instance, id);
        if (!storedName) break;
        LPCWSTR url = LoadStringPointer(hostContext.instance, id + 1);
        WriteEntry(key, static_cast<int>((id - firstNameId) / 2), storedName, url ? url : L"");
    }
}

// Writes a default list with what this call handed in. Called from inside an open sheet's
// modal loop (the host's timers and hot keys keep running there), it gives the sheet back its
// own vendor, product and version afterwards, so the sheet still stores where it read.
void ResetList(LPCWSTR vendor, LPCWSTR product, LPCWSTR version, void (*writeDefaults)())
{
    const HostContext before = hostContext;
    hostContext.vendor = vendor;
    hostContext.product = product;
    hostContext.version = version;
    if (vendor && product && version) writeDefaults();
    if (before.sheetOpen) {
        hostContext.vendor = before.vendor;
        hostContext.product = before.product;
        hostContext.version = before.version;
    }
}

}  // namespace

UrlListEntry SplitStoredName(const std::wstring& storedName, const std::wstring& url)
{
    UrlListEntry entry;
    entry.flags = storedName.substr(0, kFlagCount);
    entry.flags.resize(kFlagCount, L' ');
    if (storedName.size() > kFlagCount) entry.text = storedName.substr(kFlagCount);
    entry.url = url;
    return entry;
}

UrlList LoadUrlList(LPCWSTR subkey)
{
    UrlList entries;
    SettingsKey key;
    if (!key.Open(subkey, RegKey::ReadOnly)) return entries;

    wchar_t name[32];
    wchar_t storedName[kValueBytes / sizeof(wchar_t)];
    wchar_t url[kValueBytes / sizeof(wchar_t)];
    for (int index = 0;; ++index) {
        FormatValueName(name, index, L"Name");
        DWORD size = kValueBytes;
        if (!key.ReadString(name, storedName, &size)) break;
        FormatValueName(name, index, L"URL");
        size = kValueBytes;
        const bool urlRead = key.ReadString(name, url, &size) != 0;
        entries.push_back(SplitStoredName(storedName, urlRead ? url : L""));
        // A name without its URL is where an interrupted rewrite stopped: nothing after it
        // belongs to the list.
        if (!urlRead) break;
    }
    return entries;
}

void SaveUrlList(LPCWSTR subkey, const UrlList& entries)
{
    SettingsKey key;
    if (!OpenEmptyList(key, subkey)) return;
    std::wstring storedName;
    for (size_t i = 0; i < entries.size(); ++i) {
        // Exactly two flag characters, so the text starts where the host looks for it.
        storedName.assign(entries[i].flags, 0, kFlagCount);
        storedName.resize(kFlagCount, L' ');
        storedName += entries[i].text;
        WriteEntry(key, static_cast<int>(i), storedName.c_str(), entries[i].url.c_str());
    }
}

UrlList DefaultUrlList(UINT firstNameId)
{
    UrlList entries;
    for (UINT id = firstNameId;; id += 2) {
        LPCWSTR storedName = LoadStringPointer(hostContext.instance, id);
        if (!storedName) break;
        LPCWSTR url = LoadStringPointer(hostContext.instance, id + 1);
        entries.push_back(SplitStoredName(storedName, url ? url : L""));
    }
    return entries;
}

void WriteDefaultAliases()
{
    WriteDefaults(kAliasSubkey, IDS_ALIAS_DEFAULTS_FIRST);
}

void WriteDefaultServices()
{
    WriteDefaults(kServiceSubkey, IDS_SERVICE_DEFAULTS_FIRST);
}

extern "C" void WINAPI ResetAliases(LPCWSTR vendor, LPCWSTR product, LPCWSTR version)
{
    ResetList(vendor, product, version, WriteDefaultAliases);
}

extern "C" void WINAPI ResetServices(LPCWSTR vendor, LPCWSTR product, LPCWSTR version)
{
    ResetList(vendor, product, version, WriteDefaultServices);
}
