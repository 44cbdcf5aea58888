// The URL alias and URL service lists as the host reads them: one subkey of the settings key
// per list, holding "%d_Name" (two flag characters, then the text) and "%d_URL" for each
// entry, numbered from 0 without gaps.
#pragma once

#include <string>
#include <vector>

#include "pocketpc/PocketPC.h"

struct UrlListEntry {
    std::wstring flags;  // exactly two characters; an unset position is a space
    std::wstring text;   // the alias, or the service's display name
    std::wstring url;    // may be empty
};

typedef std::vector<UrlListEntry> UrlList;

// The subkeys of the settings key that hold the two lists.
extern const wchar_t kAliasSubkey[];
extern const wchar_t kServiceSubkey[];

// Splits a stored name into its flags and text. A name shorter than two characters has
// spaces for its missing flag positions and an empty text.
UrlListEntry SplitStoredName(const std::wstring& storedName, const std::wstring& url);

// The list in the subkey, in list order; empty when the subkey cannot be opened. The list
// ends at the first name that cannot be read; an entry whose URL cannot be read is the last.
UrlList LoadUrlList(LPCWSTR subkey);
// Replaces whatever the subkey holds by the list; an empty list leaves the subkey empty.
void SaveUrlList(LPCWSTR subkey, const UrlList& entries);
// The built-in list whose first stored name is the string firstNameId, its URL the next.
UrlList DefaultUrlList(UINT firstNameId);

// Seed a list only while its subkey is absent; an existing list, even an empty one, is the
// user's. They need hostContext's vendor and product.
void WriteDefaultAliases();
void WriteDefaultServices();
