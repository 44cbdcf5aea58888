#include "RegExport.h"

#include <cstdio>
#include <vector>

namespace {

std::string Ansi(const std::wstring& text)
{
    if (text.empty()) return std::string();
    int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), NULL, 0, NULL, NULL);
    std::string ansi(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &ansi[0], size, NULL, NULL);
    return ansi;
}

// True when the text survives the trip through the ANSI code page.
bool FitsAnsi(const std::wstring& text)
{
    BOOL lossy = FALSE;
    if (text.empty()) return true;
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), NULL, 0, NULL, &lossy);
    return !lossy;
}

std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

// hex(type):xx,xx,... wrapped like regedit's, continuing lines with a backslash.
std::string HexData(DWORD type, const BYTE* data, DWORD size, size_t column)
{
    char prefix[16];
    if (type == REG_BINARY)
        snprintf(prefix, sizeof(prefix), "hex:");
    else
        snprintf(prefix, sizeof(prefix), "hex(%lx):", static_cast<unsigned long>(type));
    std::string text = prefix;
    column += text.size();
    for (DWORD i = 0; i < size; ++i) {
        char byte[4];
        snprintf(byte, sizeof(byte), "%02x", data[i]);
        if (column + 3 > 76 && i > 0) {
            text += "\\\r\n  ";
            column = 2;
        }
        text += byte;
        column += 2;
        if (i + 1 < size) {
            text += ',';
            ++column;
        }
    }
    return text;
}

std::string ValueLine(const std::wstring& name, DWORD type, const std::vector<BYTE>& data, bool& lossy)
{
    std::string line = name.empty() ? "@" : Quoted(Ansi(name));
    line += '=';
    if (type == REG_DWORD && data.size() == 4) {
        char number[16];
        snprintf(number, sizeof(number), "dword:%08lx", static_cast<unsigned long>(*reinterpret_cast<const DWORD*>(data.data())));
        return line + number;
    }
    if (type == REG_SZ) {
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
        if (!text.empty() && text.back() == L'\0') text.pop_back();
        if (text.find(L'\0') == std::wstring::npos) {
            lossy = !FitsAnsi(text);
            return line + Quoted(Ansi(text));
        }
    }
    return line + HexData(type, data.data(), static_cast<DWORD>(data.size()), line.size());
}

}  // namespace

bool ExportKey(HKEY root, const wchar_t* rootName, const std::wstring& path, std::string& text,
               std::vector<std::wstring>& lossy)
{
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    text += "\r\n[" + Ansi(std::wstring(rootName) + L"\\" + path) + "]\r\n";

    DWORD maxName = 0, maxData = 0;
    RegQueryInfoKeyW(key, NULL, NULL, NULL, NULL, NULL, NULL, NULL, &maxName, &maxData, NULL, NULL);
    std::vector<wchar_t> name(maxName + 2);
    std::vector<BYTE> data(maxData + 2);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueW(key, i, name.data(), &nameLength, NULL, &type, data.data(), &size) != ERROR_SUCCESS) break;
        const std::wstring valueName(name.data(), nameLength);
        bool lost = false;
        text += ValueLine(valueName, type, std::vector<BYTE>(data.begin(), data.begin() + size), lost);
        text += "\r\n";
        if (lost) lossy.push_back(path + L"\\" + valueName);
    }

    std::vector<std::wstring> children;
    for (DWORD i = 0;; ++i) {
        wchar_t child[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key, i, child, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
        children.emplace_back(child, length);
    }
    RegCloseKey(key);
    for (const std::wstring& child : children) ExportKey(root, rootName, path + L"\\" + child, text, lossy);
    return true;
}

bool WriteRegFile(const std::wstring& file, const std::string& keys)
{
    FILE* out = _wfopen(file.c_str(), L"wb");
    if (!out) return false;
    const std::string text = "REGEDIT4\r\n" + keys + "\r\n";
    bool written = fwrite(text.data(), 1, text.size(), out) == text.size();
    return fclose(out) == 0 && written;
}
