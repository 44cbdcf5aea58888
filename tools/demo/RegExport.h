// Writes registry keys as a REGEDIT4 .reg file, the format regedit and other tools import.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Appends the key, its values and every key below it to text. rootName is the text form of
// root ("HKEY_CURRENT_USER"). The format is ANSI: a string the code page cannot hold is
// written with its closest ANSI text and its "key\value" added to lossy. Returns false when
// the key cannot be opened.
bool ExportKey(HKEY root, const wchar_t* rootName, const std::wstring& path, std::string& text,
               std::vector<std::wstring>& lossy);

// The file's header followed by the keys, in the system's ANSI code page like regedit's.
bool WriteRegFile(const std::wstring& file, const std::string& keys);
