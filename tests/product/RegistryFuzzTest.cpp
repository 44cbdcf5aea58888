// Registry fuzzing with an exact oracle. From a seed, every key and value the component reads
// is filled with random types, sizes and contents (wrong types, empty data, odd byte counts,
// unterminated and very long strings, huge lists with gaps, random buttons and browser values),
// or left out, and other software's values and keys are put beside and below the component's.
// Then the sheet is opened through ordinal 1, some or all pages are visited in a random order,
// some of them edited as a user would, and the sheet is closed with OK or Cancel. The process
// must survive, and every key must then hold exactly what the documented rules say: each value
// a page wrote, computed from what was stored and what the user did; everything else as it was.
//
// The suite runs seeds 1 to 8. tools/fuzz.sh runs any range: CORVANE_FUZZ_FIRST and
// CORVANE_FUZZ_COUNT select the seeds here. Each seed starts from a clean slate, so a seed
// that fails fails again when run alone.
#include <gtest/gtest.h>

#include "include/corvane_options.h"
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "UrlPageSupport.h"
#include "resource.h"
#include "support/Fixtures.h"
#include "support/Random.h"
#include "support/Seeds.h"

namespace {

using testreg::kShellKeys;
using testreg::kInternetSettings;
using testreg::kUserAgent;
using testreg::kPostPlatform;
using testreg::kExplorer;
using testreg::kExplorerMain;

using testrandom::Random;
using testreg::RawValue;
using testreg::ValueMap;

// The device's \Windows\ folder, where the Tab 2 page finds its sounds.
const wchar_t kSoundFolder[] = L"C:\\Windows\\";

const int kPageCount = CORVANE_PAGE_COUNT;
// URL list values are read into 4096 bytes.
const size_t kListValueBytes = 4096;
const wchar_t kBuiltInSound[] = L"CorvaneEvent";
const wchar_t kDefaultViewSourceApp[] = L"\\windows\\notes.exe";

// Every DWORD a page writes on OK, with the range it is documented to hold; a combo box left
// without a selection stores 0xFFFFFFFF where that can happen.
struct Number {
    const wchar_t* name;
    DWORD low, high;
    bool noSelection;
};
const Number kNumbers[] = {
    {L"MenuTab", 0, 3, true},        {L"MenuBack", 0, 1, true},           {L"MenuForward", 0, 1, true},
    {L"MenuSoftKey", 0, 1, false},   {L"TabCount", 2, 8, false},          {L"TabHeight", 12, 22, false},
    {L"TabHideSingle", 0, 1, false}, {L"TabPosNewTab", 0, 1, true},       {L"TabPosActivate", 0, 1, true},
    {L"TabDoubleTap", 0, 1, false},  {L"TabNewType", 0, 2, false},        {L"EventSound", 0, 1, false},
    {L"EventForeground", 0, 1, false}, {L"FSAddressBar", 0, 1, false},    {L"FSMenuBar", 0, 1, false},
    {L"FSRestoreBar", 0, 1, false},  {L"FSRestoreBarHeight", 1, 12, false}, {L"FSVScroll", 0, 1, false},
    {L"FSHScroll", 0, 1, false},     {L"ScreenDragSensitivity", 1, 16, false}, {L"SplitText", 0, 1, false},
    {L"SplitTextLen", 8, 99, false}, {L"CombineTD", 0, 1, false},         {L"SplitPRE", 0, 1, false},
    {L"Identification", 0, 2, true}, {L"ScrollLineAmount", 0, 100, false}, {L"HotKeyInterval", 200, 1000, false},
    {L"AliasExpandKey", 0, 10, true},
};

// The two URL lists and the letters their two flag positions may hold.
struct ListShape {
    const wchar_t* subkey;
    wchar_t first, second;
};
const ListShape kLists[] = {{L"Alias", L'D', L'E'}, {L"Service", L'C', L'S'}};

struct Identification {
    const wchar_t *product, *platform, *version;
    std::set<std::wstring> tokens;
};
const Identification kIdentifications[] = {
    {L"Mozilla/2.0", L"Windows CE", L"MSIE 3.02", {L"PPC", L"240x320"}},
    {L"Mozilla/4.0", L"Windows NT 5.0", L"MSIE 5.5", {}},
    {L"Mozilla/4.0", L"Windows NT 5.1", L"MSIE 6.0", {L"SV1"}},
};

// ---------------------------------------------------------------------------------------------
// Random registry data.

const DWORD kTypes[] = {REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_BINARY, REG_DWORD, REG_QWORD, REG_NONE};

const wchar_t kLower[] = L"abcdefghijklmnopqrstuvwxyz";
const wchar_t kMixed[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 ";
const wchar_t kPunctuation[] = L" .,:;/\\%|*?\"'<>()[]{}&=+-_~!@#$^`";
// Accented Latin, Cyrillic, Hebrew, Arabic, CJK, kana, full-width, controls, a byte-order mark,
// both halves of a surrogate pair and lone ones.
const wchar_t kOther[] = {0x00E9, 0x00DF, 0x00FC, 0x0416, 0x044F, 0x05D0, 0x0627, 0x4E2D, 0x6587, 0x3042,
                          0xFF21, 0x0009, 0x000D, 0x000A, 0x0001, 0x001F, 0x007F, 0xFEFF, 0xFFFD, 0xD83D,
                          0xDE00, 0xDFFF, 0};

std::wstring RandomText(Random& r, size_t length)
{
    const wchar_t* pools[] = {kLower, kMixed, kPunctuation, kOther};
    // Mostly plain words; some texts draw every character from anywhere.
    const bool wild = r.Percent(30);
    std::wstring text;
    text.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        const wchar_t* pool = wild ? pools[r.Below(4)] : (r.Percent(90) ? kMixed : pools[r.Below(4)]);
        text.push_back(pool[r.Below(static_cast<uint32_t>(wcslen(pool)))]);
    }
    // Now and then a NUL inside: a reader stops there.
    if (length > 1 && r.Percent(4)) text[r.Below(static_cast<uint32_t>(length))] = L'\0';
    return text;
}

size_t RandomLength(Random& r)
{
    switch (r.Below(12)) {
    case 0: return 0;
    case 1: return r.Between(1, 2);
    case 2: return r.Between(2045, 2049);  // around what a 4096-byte read can hold
    case 3: return 5000;
    case 4: return r.Between(100, 600);
    default: return r.Between(3, 40);
    }
}

std::vector<BYTE> Bytes(const std::wstring& units)
{
    const BYTE* begin = reinterpret_cast<const BYTE*>(units.data());
    return std::vector<BYTE>(begin, begin + units.size() * sizeof(wchar_t));
}

// A string as stored: with its NUL as the system writes it, or without, or half a character
// longer or shorter.
RawValue StringValue(Random& r, DWORD type, const std::wstring& text)
{
    std::wstring units = text;
    const uint32_t form = r.Below(10);
    if (form < 6) units.push_back(L'\0');
    if (type == REG_MULTI_SZ) units.append(2, L'\0');
    std::vector<BYTE> bytes = Bytes(units);
    if (form == 8) bytes.push_back(static_cast<BYTE>(r.Below(256)));
    if (form == 9 && !bytes.empty()) bytes.pop_back();
    return RawValue{type, bytes};
}

RawValue DwordValue(DWORD type, DWORD value)
{
    const BYTE* begin = reinterpret_cast<const BYTE*>(&value);
    return RawValue{type, std::vector<BYTE>(begin, begin + sizeof(value))};
}

// Data of any type and any shape, with a number or a text inside that looks right.
RawValue AnyShape(Random& r, DWORD number, const std::wstring& text);

// Wine's text shaping faults drawing most spacing modifier letters (U+02B1 to U+02F7) with no
// letter before them: seed 2315 had the View page's edit box show one, and the process went
// down inside the system's own control; seed 2658 (four random bytes read as the text U+D8B0
// U+02CA) hung it there. The device has no such fault, so that block is left out of every
// random shape here: the fuzz is after the component's faults.
RawValue WrongValue(Random& r, DWORD number, const std::wstring& text)
{
    RawValue value = AnyShape(r, number, text);
    for (size_t i = 0; i + 1 < value.data.size(); i += 2)
        if (value.data[i + 1] == 0x02 && value.data[i] >= 0xB0) value.data[i + 1] = 0x03;
    return value;
}

RawValue AnyShape(Random& r, DWORD number, const std::wstring& text)
{
    const DWORD type = r.Pick(kTypes);
    switch (r.Below(6)) {
    case 0: return RawValue{type, {}};
    case 1: {
        // A DWORD's bytes, too few or too many of them.
        RawValue value = DwordValue(type, number);
        value.data.resize(r.Pick({0u, 1u, 2u, 3u, 5u, 8u}));
        return value;
    }
    case 2: {
        uint64_t wide = number | (static_cast<uint64_t>(r.Percent(50) ? 0 : r.Dword()) << 32);
        const BYTE* begin = reinterpret_cast<const BYTE*>(&wide);
        return RawValue{type == REG_DWORD ? static_cast<DWORD>(REG_QWORD) : type,
                        std::vector<BYTE>(begin, begin + sizeof(wide))};
    }
    case 3: return StringValue(r, type, std::to_wstring(number));
    case 4: return StringValue(r, type, text);
    default: {
        std::vector<BYTE> bytes(r.Below(64));
        for (BYTE& b : bytes) b = static_cast<BYTE>(r.Below(256));
        return RawValue{type, bytes};
    }
    }
}

// A value that should hold a DWORD: mostly one, from the interesting numbers given and the
// usual suspects, often something else; or nothing.
std::optional<RawValue> RandomNumber(Random& r, std::vector<DWORD> likely)
{
    if (r.Percent(12)) return std::nullopt;
    for (DWORD odd : {0u, 1u, 2u, 0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, 0x10000u, 0xFFFFu}) likely.push_back(odd);
    const DWORD number = r.Percent(85) ? likely[r.Below(static_cast<uint32_t>(likely.size()))] : r.Dword();
    if (r.Percent(70)) return DwordValue(REG_DWORD, number);
    return WrongValue(r, number, RandomText(r, RandomLength(r)));
}

std::vector<DWORD> Around(DWORD low, DWORD high)
{
    return {low - 1, low, low + 1, (low + high) / 2, high - 1, high, high + 1};
}

// A value that should hold a text: mostly a REG_SZ in any of its forms, often something else.
std::optional<RawValue> RandomString(Random& r, const std::wstring& text)
{
    if (r.Percent(12)) return std::nullopt;
    if (r.Percent(75)) return StringValue(r, REG_SZ, text);
    return WrongValue(r, r.Dword(), text);
}

// An open key to fill.
class Key {
public:
    Key(HKEY root, const std::wstring& path)
    {
        if (RegCreateKeyExW(root, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS)
            key = NULL;
        EXPECT_NE(key, nullptr) << "cannot create " << testing::PrintToString(path);
    }
    ~Key()
    {
        if (key) RegCloseKey(key);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    // Stores the value, or takes it away when there is none.
    void Set(const std::wstring& name, const std::optional<RawValue>& value)
    {
        if (!key) return;
        if (!value) {
            RegDeleteValueW(key, name.c_str());
            return;
        }
        LONG status = RegSetValueExW(key, name.c_str(), 0, value->type, value->data.empty() ? NULL : value->data.data(),
                                     static_cast<DWORD>(value->data.size()));
        EXPECT_EQ(status, ERROR_SUCCESS) << "cannot store " << testing::PrintToString(name);
    }

private:
    HKEY key;
};

std::wstring Indexed(int index, const wchar_t* suffix)
{
    return std::to_wstring(index) + L"_" + suffix;
}

// ---------------------------------------------------------------------------------------------
// What the component reads back, and what a stored text is.

// The text a reader with `capacity` bytes of room gets from the value: its characters up to the
// first NUL. Nothing when the value is absent, not REG_SZ, or too long for the room, counting
// the NUL that an unterminated value still needs.
bool ReadsAsText(const ValueMap& values, const std::wstring& name, size_t capacity, std::wstring* text)
{
    auto found = values.find(name);
    if (found == values.end() || found->second.type != REG_SZ) return false;
    const std::vector<BYTE>& data = found->second.data;
    if (data.size() > capacity) return false;
    const size_t characters = data.size() / sizeof(wchar_t);
    std::wstring units(characters, L'\0');
    if (characters) memcpy(&units[0], data.data(), characters * sizeof(wchar_t));
    const bool terminated = data.size() % sizeof(wchar_t) == 0 && characters > 0 && units.back() == L'\0';
    if (!terminated && (characters + 1) * sizeof(wchar_t) > capacity) return false;
    text->assign(units.c_str());
    return true;
}

bool ReadsAsDword(const ValueMap& values, const std::wstring& name, DWORD* number)
{
    auto found = values.find(name);
    if (found == values.end() || found->second.type != REG_DWORD || found->second.data.size() != sizeof(DWORD))
        return false;
    memcpy(number, found->second.data.data(), sizeof(DWORD));
    return true;
}

std::string Short(const std::wstring& text)
{
    std::string shown = testing::PrintToString(text.substr(0, 60));
    if (text.size() > 60) shown += "... (" + std::to_string(text.size()) + " characters)";
    return shown;
}

// ---------------------------------------------------------------------------------------------

// ---------------------------------------------------------------------------------------------
// The oracle: what each page shows from what is stored, changed by the user's edits, is what
// it writes on OK, value for value and byte for byte. The rules are the reference's
// (docs/settings.md): defaults for absent or mistyped values, clamps, no selection stored as
// 0xFFFFFFFF, the packing of button codes, the script pair, the sound fallback.

const DWORD kNoSelection = 0xFFFFFFFF;

// The function codes of the Buttons page's combo box, in its order.
const DWORD kActionCodes[] = {0x00, 0x01, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27,
                              0x28, 0x29, 0x40, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49,
                              0x4A, 0x4B, 0x4C, 0x41, 0x42, 0x4D, 0x4E, 0x4F, 0x50};

DWORD StoredDword(const ValueMap& values, const wchar_t* name, DWORD fallback)
{
    DWORD number = fallback;
    return ReadsAsDword(values, name, &number) ? number : fallback;
}

DWORD Checked(DWORD stored)
{
    return stored ? 1 : 0;
}

DWORD Choice(DWORD stored, DWORD last)
{
    return stored <= last ? stored : kNoSelection;
}

DWORD ClampSigned(DWORD stored, int low, int high)
{
    const int value = static_cast<int>(stored);
    return static_cast<DWORD>(value < low ? low : value > high ? high : value);
}

RawValue DwordRaw(DWORD value)
{
    return DwordValue(REG_DWORD, value);
}

RawValue TextRaw(const std::wstring& text)
{
    std::wstring units = text;
    units.push_back(L'\0');
    return RawValue{REG_SZ, Bytes(units)};
}

// The sounds the Tab 2 page lists from the device's folder: name without ".wav", first letter
// upper-cased by the platform.
std::vector<std::wstring> ListedSounds()
{
    std::vector<std::wstring> sounds;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((std::wstring(kSoundFolder) + L"*.wav").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return sounds;
    do {
        const size_t length = wcsnlen(found.cFileName, MAX_PATH);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || length <= 4 || length == MAX_PATH) continue;
        if (_wcsicmp(found.cFileName + length - 4, L".wav")) continue;
        std::wstring name(found.cFileName, length - 4);
        CharUpperBuffW(&name[0], 1);
        sounds.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return sounds;
}

// One button as the Buttons page lists it.
struct Button {
    std::wstring key, name;   // the shell's key name, the row's text
    DWORD old = 0;            // the assignment as read
    DWORD codes[2] = {0, 0};  // short press, press-and-hold
};

// What the pages would write on OK, as edited so far.
struct Model {
    std::map<std::wstring, DWORD, testreg::NameLess> numbers;
    std::wstring viewSourceApp, eventSound;
    std::map<std::wstring, std::vector<std::pair<std::wstring, std::wstring>>> lists;  // stored name, URL
    std::vector<Button> buttons;
    bool holdRows = false, holdUnsupported = false;
    DWORD splitSpinner = 0;  // the length spinner's position
    DWORD identification = 0, script = 0, clearType = 0;  // the PIE page's choices
};

// ---------------------------------------------------------------------------------------------

class RegistryFuzzTest : public SheetTest {
protected:
    // Everything one seed put in place, as it stood before the sheet opened.
    struct Stored {
        ValueMap settings;
        std::map<std::wstring, ValueMap> lists;         // by subkey
        std::map<std::wstring, ValueMap> listChildren;  // other software's keys below the lists
        std::vector<std::wstring> buttons;              // the shell's button keys
        std::map<std::wstring, ValueMap> assignments;   // Keys\<button>, listed buttons and others
        std::set<std::wstring, testreg::NameLess> assignmentKeys;
        ValueMap internetSettings, explorerMain, userAgent, postPlatform, userAgentChild, postPlatformChild;
        bool userAgentKey = false, postPlatformKey = false;
        std::vector<std::wstring> sounds;               // sound files made for the seed
    };

    // Runs one seed; returns what it put together, for the log.
    std::string RunSeed(uint64_t seed);
    void Fill(Random& r, Stored& stored);
    void FillSettings(Random& r, const Stored& stored);
    void FillList(Random& r, const ListShape& shape);
    void FillButtons(Random& r);
    void FillBrowser(Random& r);
    void Snapshot(Stored& stored);

    // What each page shows, as the values it would write back untouched.
    Model Expect(const Stored& stored, const driver::HostArgs& args);
    // A few random edits of the current page, applied to the controls and to the model.
    void Edit(Random& r, driver::Sheet& sheet, int page, Model& model);
    void EditButtons(Random& r, driver::Sheet& sheet, Model& model);

    void CheckSettings(const Stored& stored, const Model& model, const std::set<int>& applied);
    void CheckList(const Stored& stored, const Model& model, const ListShape& shape, bool applied);
    void CheckButtons(const Stored& stored, const Model& model, bool applied);
    void CheckBrowser(const Stored& stored, const Model& model, bool applied);

    testreg::SavedKey shellKeys{HKEY_LOCAL_MACHINE, kShellKeys};
    testreg::SavedKey internetSettings{HKEY_LOCAL_MACHINE, kInternetSettings};
    testreg::SavedKey explorer{HKEY_CURRENT_USER, kExplorer};
};

// Other software's data where the component writes: values beside the browser's, keys below
// the lists and "Post Platform". All of it must survive every seed.
const wchar_t kForeign[] = L"CorvaneFuzzForeign";

void AddForeign(Random& r, HKEY root, const std::wstring& path)
{
    Key key(root, path);
    key.Set(kForeign, r.Percent(50) ? std::optional<RawValue>(DwordValue(REG_DWORD, r.Dword()))
                                    : RandomString(r, RandomText(r, r.Between(0, 30))));
}

void RegistryFuzzTest::Fill(Random& r, Stored& stored)
{
    testreg::DeleteTree(HKEY_CURRENT_USER, SettingsPath());
    // Sound files in the device's folder, some of them named by the stored sound.
    if (r.Percent(50)) {
        for (int i = r.Between(1, 3); i > 0; --i) {
            std::wstring name = L"corvfuzz" + RandomText(r, r.Between(1, 8));
            for (wchar_t& c : name)
                if (!iswalnum(c)) c = L'x';
            if (r.Percent(50)) name[0] = L'C';
            HANDLE file = CreateFileW((kSoundFolder + name + L".wav").c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, NULL);
            if (file == INVALID_HANDLE_VALUE) continue;
            CloseHandle(file);
            stored.sounds.push_back(name);
        }
    }
    FillSettings(r, stored);
    for (const ListShape& shape : kLists) {
        FillList(r, shape);
        if (r.Percent(30)) AddForeign(r, HKEY_CURRENT_USER, SectionPath(shape.subkey) + L"\\Other\\Deeper");
    }
    FillButtons(r);
    FillBrowser(r);
}

void RegistryFuzzTest::FillSettings(Random& r, const Stored& stored)
{
    if (r.Percent(5)) return;  // no settings key at all
    Key key(HKEY_CURRENT_USER, SettingsPath());
    for (const Number& number : kNumbers) key.Set(number.name, RandomNumber(r, Around(number.low, number.high)));
    // Read by no page: left as it is.
    key.Set(L"FSTab", RandomNumber(r, {0, 1}));
    if (r.Percent(30)) key.Set(kForeign, RandomNumber(r, {0}));

    std::wstring sound = RandomText(r, RandomLength(r));
    if (r.Percent(40)) sound = kBuiltInSound;
    if (!stored.sounds.empty() && r.Percent(50)) {
        sound = stored.sounds[r.Below(static_cast<uint32_t>(stored.sounds.size()))];
        // The list finds a sound whatever the case of the stored name.
        for (wchar_t& c : sound) c = r.Percent(50) ? towupper(c) : towlower(c);
    }
    key.Set(L"EventSoundFile", RandomString(r, sound));
    key.Set(L"ViewSourceApp", RandomString(r, r.Percent(30) ? L"\\Windows\\pword.exe" : RandomText(r, RandomLength(r))));
}

void RegistryFuzzTest::FillList(Random& r, const ListShape& shape)
{
    if (r.Percent(10)) return;  // no list stored
    Key key(HKEY_CURRENT_USER, SectionPath(shape.subkey));
    // Thousands of entries now and then, nearly all of them good so that the list goes on.
    const bool huge = r.Percent(3);
    const int count = huge ? r.Between(1000, 4000) : r.Between(0, 25);
    const uint32_t spoilPercent = huge ? 0 : 15;
    const wchar_t flagLetters[] = {shape.first, shape.second, L' ', L' ', L'x', L'd', L'D', L'E', L'C', L'S', L'\t'};
    for (int i = 0; i < count; ++i) {
        std::wstring name;
        const uint32_t form = r.Below(20);
        if (form == 0) {
            name = RandomText(r, r.Below(2));  // shorter than the two flags
        } else {
            name = {r.Pick(flagLetters), r.Pick(flagLetters)};
            name += RandomText(r, form == 1 && !huge ? RandomLength(r) : r.Between(0, 20));
        }
        std::wstring url = L"http://" + RandomText(r, form == 2 && !huge ? RandomLength(r) : r.Between(0, 40));
        if (r.Percent(3)) url.clear();
        const bool spoil = huge ? r.Below(3000) == 0 : r.Percent(spoilPercent);
        if (spoil) {
            // A gap, a value of another type, or a value too long to read.
            if (r.Percent(30)) continue;
            key.Set(Indexed(i, L"Name"), RandomString(r, name));
            if (r.Percent(70)) key.Set(Indexed(i, L"URL"), RandomString(r, r.Percent(50) ? RandomText(r, 5000) : url));
        } else {
            key.Set(Indexed(i, L"Name"), StringValue(r, REG_SZ, name));
            key.Set(Indexed(i, L"URL"), StringValue(r, REG_SZ, url));
        }
    }
    // Values that belong to no entry.
    if (r.Percent(20)) key.Set(L"Junk", RandomString(r, L"junk"));
    if (r.Percent(20)) key.Set(Indexed(count + r.Between(1, 3), L"Name"), StringValue(r, REG_SZ, L"  beyond"));
    if (r.Percent(10)) key.Set(L"", RandomString(r, L"default"));
    // A name longer than an enumeration of 256 characters can take.
    if (r.Percent(5)) key.Set(RandomText(r, r.Between(256, 400)), RandomString(r, L"long"));
}

void RegistryFuzzTest::FillButtons(Random& r)
{
    testreg::DeleteTree(HKEY_LOCAL_MACHINE, kShellKeys);
    // Codes of the function table, in both halves, and codes it lacks.
    const DWORD codes[] = {0x00, 0x01, 0x20, 0x29, 0x40, 0x41, 0x45, 0x4C, 0x50, 0x12, 0x99, 0xFF, 0x100, 0x1234, 0xFFFF};
    auto assignment = [&]() {
        std::vector<DWORD> likely;
        for (int i = 0; i < 8; ++i) {
            const DWORD shortPress = r.Pick(codes);
            likely.push_back(shortPress | (r.Pick(codes) << 16));
        }
        return RandomNumber(r, likely);
    };
    // The assignment of a button the shell no longer lists.
    if (r.Percent(30)) Key(HKEY_CURRENT_USER, SectionPath(L"Keys\\Gone" + std::to_wstring(r.Below(100)))).Set(L"", assignment());
    if (r.Percent(10)) return;  // no shell button keys at all

    Key(HKEY_LOCAL_MACHINE, kShellKeys);
    std::set<std::wstring, testreg::NameLess> names;
    for (int i = r.Between(0, 10); i > 0; --i) {
        std::wstring name;
        switch (r.Below(4)) {
        case 0: name = L"40C" + std::wstring(1, L"0123456789ABCDEF"[r.Below(16)]); break;
        case 1: name = RandomText(r, r.Between(1, 30)); break;
        case 2: name = RandomText(r, r.Between(200, 255)); break;
        default: name = L"Button " + std::to_wstring(r.Below(20)); break;
        }
        // A key name holds anything but a backslash.
        for (wchar_t& c : name)
            if (c == L'\\' || c == L'\0') c = L'_';
        names.insert(name);
    }
    if (r.Percent(25)) names.insert(L"40C6");

    const wchar_t* const icons[] = {L"C:\\windows\\system32\\shell32.dll,3", L"C:\\windows\\system32\\shell32.dll,-1",
                                    L"shell32.dll,99999", L"notepad.exe", L"\\Windows\\missing.exe,2", L",",
                                    L"C:\\windows\\system32\\shell32.dll,abc", L"C:\\windows\\system32\\shell32.dll,-99999"};
    const wchar_t* const programs[] = {L"\\Windows\\calc.exe", L"calc", L"\\My.Folder\\tool", L"", L".", L"\\"};
    for (const std::wstring& name : names) {
        Key button(HKEY_LOCAL_MACHINE, std::wstring(kShellKeys) + L"\\" + name);
        button.Set(L"Icon", RandomString(r, r.Percent(50) ? std::wstring(r.Pick(icons)) : RandomText(r, RandomLength(r))));
        button.Set(L"Name", RandomString(r, RandomText(r, RandomLength(r))));
        button.Set(L"", RandomString(r, r.Percent(40) ? std::wstring(r.Pick(programs)) : RandomText(r, RandomLength(r))));
        button.Set(L"Flags", RandomNumber(r, Around(0, 13)));
        if (r.Percent(70)) {
            Key stored(HKEY_CURRENT_USER, SectionPath(L"Keys\\" + name));
            stored.Set(L"", assignment());
            if (r.Percent(20)) stored.Set(kForeign, RandomNumber(r, {0}));
        }
    }
}

void RegistryFuzzTest::FillBrowser(Random& r)
{
    testreg::DeleteTree(HKEY_LOCAL_MACHINE, kUserAgent);
    {
        Key settings(HKEY_LOCAL_MACHINE, kInternetSettings);
        settings.Set(L"Security_RunScripts", RandomNumber(r, {0, 1, 2, 3, 0xFFFFFFFE}));
        settings.Set(L"ClearTypeText", RandomNumber(r, {0, 1, 2}));
        settings.Set(kForeign, r.Percent(50) ? RandomNumber(r, {7}) : std::nullopt);
    }
    if (r.Percent(10)) {
        testreg::DeleteTree(HKEY_CURRENT_USER, kExplorerMain);
    } else {
        Key main(HKEY_CURRENT_USER, kExplorerMain);
        main.Set(L"ShowScriptErrors", RandomNumber(r, {0, 1, 2, 0xFFFFFFFE}));
        main.Set(kForeign, r.Percent(50) ? RandomNumber(r, {7}) : std::nullopt);
    }

    if (r.Percent(20)) return;  // no "User Agent" key
    const wchar_t* const products[] = {L"Mozilla/2.0", L"Mozilla/4.0", L"Windows CE", L"MSIE 6.0"};
    {
        Key agent(HKEY_LOCAL_MACHINE, kUserAgent);
        agent.Set(L"", RandomString(r, r.Percent(50) ? std::wstring(r.Pick(products)) : RandomText(r, RandomLength(r))));
        agent.Set(L"Platform", RandomString(r, RandomText(r, RandomLength(r))));
        agent.Set(L"Version", RandomString(r, RandomText(r, RandomLength(r))));
        if (r.Percent(50)) agent.Set(kForeign, RandomString(r, L"foreign"));
    }
    if (r.Percent(30)) AddForeign(r, HKEY_LOCAL_MACHINE, std::wstring(kUserAgent) + L"\\Pre Platform");
    if (r.Percent(25)) return;  // no "Post Platform" key
    {
        Key post(HKEY_LOCAL_MACHINE, kPostPlatform);
        const wchar_t* const tokens[] = {L"PPC", L"240x320", L"SV1", L"", L"Other"};
        for (int i = r.Between(0, 6); i > 0; --i) {
            std::wstring name = r.Percent(50) ? std::wstring(r.Pick(tokens)) : RandomText(r, r.Between(1, 20));
            // Value names may be far longer than key names.
            if (r.Percent(5)) name = RandomText(r, r.Between(256, 400));
            post.Set(name.c_str(), r.Percent(50) ? RandomString(r, L"") : RandomNumber(r, {0}));
        }
    }
    if (r.Percent(30)) AddForeign(r, HKEY_LOCAL_MACHINE, std::wstring(kPostPlatform) + L"\\Below");
}

void RegistryFuzzTest::Snapshot(Stored& stored)
{
    stored.settings = testreg::Values(HKEY_CURRENT_USER, SettingsPath());
    for (const ListShape& shape : kLists) {
        stored.lists[shape.subkey] = testreg::Values(HKEY_CURRENT_USER, SectionPath(shape.subkey));
        stored.listChildren[shape.subkey] =
            testreg::Values(HKEY_CURRENT_USER, SectionPath(shape.subkey) + L"\\Other\\Deeper");
    }
    for (const std::wstring& name : testreg::SubkeyNames(HKEY_LOCAL_MACHINE, kShellKeys)) stored.buttons.push_back(name);
    for (const std::wstring& name : testreg::SubkeyNames(HKEY_CURRENT_USER, SectionPath(L"Keys"))) {
        stored.assignmentKeys.insert(name);
        stored.assignments[name] = testreg::Values(HKEY_CURRENT_USER, SectionPath(L"Keys\\" + name));
    }
    stored.internetSettings = testreg::Values(HKEY_LOCAL_MACHINE, kInternetSettings);
    stored.explorerMain = testreg::Values(HKEY_CURRENT_USER, kExplorerMain);
    stored.userAgentKey = testreg::KeyExists(HKEY_LOCAL_MACHINE, kUserAgent);
    stored.userAgent = testreg::Values(HKEY_LOCAL_MACHINE, kUserAgent);
    stored.postPlatformKey = testreg::KeyExists(HKEY_LOCAL_MACHINE, kPostPlatform);
    stored.postPlatform = testreg::Values(HKEY_LOCAL_MACHINE, kPostPlatform);
    stored.userAgentChild = testreg::Values(HKEY_LOCAL_MACHINE, std::wstring(kUserAgent) + L"\\Pre Platform");
    stored.postPlatformChild = testreg::Values(HKEY_LOCAL_MACHINE, std::wstring(kPostPlatform) + L"\\Below");
}

Model RegistryFuzzTest::Expect(const Stored& stored, const driver::HostArgs& args)
{
    const ValueMap& v = stored.settings;
    Model m;
    auto& n = m.numbers;
    // Menu: choices outside the list show none.
    n[L"MenuTab"] = Choice(StoredDword(v, L"MenuTab", 0), 3);
    n[L"MenuBack"] = Choice(StoredDword(v, L"MenuBack", 0), 1);
    n[L"MenuForward"] = Choice(StoredDword(v, L"MenuForward", 0), 1);
    n[L"MenuSoftKey"] = Checked(StoredDword(v, L"MenuSoftKey", 0));
    // Tab 1: count and height clamped as unsigned numbers.
    n[L"TabCount"] = std::min<DWORD>(std::max<DWORD>(StoredDword(v, L"TabCount", 3), 2), 8);
    n[L"TabHeight"] = std::min<DWORD>(std::max<DWORD>(StoredDword(v, L"TabHeight", 22), 12), 22);
    n[L"TabHideSingle"] = Checked(StoredDword(v, L"TabHideSingle", 0));
    n[L"TabPosNewTab"] = Choice(StoredDword(v, L"TabPosNewTab", 0), 1);
    n[L"TabPosActivate"] = Choice(StoredDword(v, L"TabPosActivate", 0), 1);
    n[L"TabDoubleTap"] = Checked(StoredDword(v, L"TabDoubleTap", 1));
    // Tab 2: an unknown type checks no radio button, which stores a blank page.
    const DWORD newType = StoredDword(v, L"TabNewType", 0);
    n[L"TabNewType"] = newType <= 2 ? newType : 0;
    n[L"EventSound"] = Checked(StoredDword(v, L"EventSound", 1));
    n[L"EventForeground"] = Checked(StoredDword(v, L"EventForeground", 1));
    std::wstring sound;
    m.eventSound = kBuiltInSound;
    if (ReadsAsText(v, L"EventSoundFile", 8192, &sound)) {
        for (const std::wstring& listed : ListedSounds())
            if (!sound.empty() && lstrcmpiW(listed.c_str(), sound.c_str()) == 0) m.eventSound = listed;
    }
    // Screen: the "FS" boxes are stored inverted, so anything but 0 keeps its bar.
    for (const wchar_t* name : {L"FSAddressBar", L"FSMenuBar", L"FSRestoreBar", L"FSVScroll", L"FSHScroll"})
        n[name] = Checked(StoredDword(v, name, 0));
    const DWORD barHeight = StoredDword(v, L"FSRestoreBarHeight", 6);
    n[L"FSRestoreBarHeight"] = barHeight >= 1 && barHeight <= 12 ? barHeight : 6;
    n[L"ScreenDragSensitivity"] = ClampSigned(StoredDword(v, L"ScreenDragSensitivity", 1), 1, 16);
    // View: the length's low 16 bits, as a signed number, at the nearest end of 8..99.
    n[L"SplitText"] = Checked(StoredDword(v, L"SplitText", 1));
    n[L"SplitTextLen"] = ClampSigned(static_cast<DWORD>(static_cast<int>(static_cast<short>(
                                         LOWORD(StoredDword(v, L"SplitTextLen", 24))))),
                                     8, 99);
    m.splitSpinner = n[L"SplitTextLen"];
    n[L"CombineTD"] = Checked(StoredDword(v, L"CombineTD", 1));
    n[L"SplitPRE"] = Checked(StoredDword(v, L"SplitPRE", 1));
    m.viewSourceApp = kDefaultViewSourceApp;
    ReadsAsText(v, L"ViewSourceApp", SIZE_MAX, &m.viewSourceApp);
    // Buttons: the scroll amount without a selection stores 0.
    const DWORD amount = StoredDword(v, L"ScrollLineAmount", 20);
    n[L"ScrollLineAmount"] = amount >= 1 && amount <= 100 ? amount : 0;
    n[L"HotKeyInterval"] = ClampSigned(StoredDword(v, L"HotKeyInterval", 400), 200, 1000);
    n[L"AliasExpandKey"] = Choice(StoredDword(v, L"AliasExpandKey", 0), 10);

    // PIE: the identification as stored, the script pair added whole.
    m.identification = Choice(StoredDword(v, L"Identification", 0), 2);
    const DWORD run = StoredDword(stored.internetSettings, L"Security_RunScripts", 1);
    const DWORD show = StoredDword(stored.explorerMain, L"ShowScriptErrors", 0);
    const uint64_t sum = static_cast<uint64_t>(run) + show;
    m.script = run == 0 ? 0 : sum <= 2 ? static_cast<DWORD>(sum) : kNoSelection;
    m.clearType = Checked(StoredDword(stored.internetSettings, L"ClearTypeText", 0));

    // The lists: each entry up to the first unreadable name, flag positions holding the list's
    // own letter or a space.
    for (const ListShape& shape : kLists) {
        auto& entries = m.lists[shape.subkey];
        const ValueMap& before = stored.lists.at(shape.subkey);
        for (int i = 0;; ++i) {
            std::wstring name, url;
            if (!ReadsAsText(before, Indexed(i, L"Name"), kListValueBytes, &name)) break;
            const bool hasUrl = ReadsAsText(before, Indexed(i, L"URL"), kListValueBytes, &url);
            std::wstring flags = name.substr(0, 2);
            flags.resize(2, L' ');
            if (flags[0] != shape.first) flags[0] = L' ';
            if (flags[1] != shape.second) flags[1] = L' ';
            entries.emplace_back(flags + (name.size() > 2 ? name.substr(2) : std::wstring()), hasUrl ? url : L"");
            if (!hasUrl) break;
        }
    }

    // Buttons: every key the shell lists, with its two codes.
    m.holdUnsupported = args.holdUnsupported != 0;
    m.holdRows = !m.holdUnsupported && !testreg::KeyExists(HKEY_LOCAL_MACHINE, std::wstring(kShellKeys) + L"\\40C6");
    for (const std::wstring& key : stored.buttons) {
        Button button;
        button.key = key;
        ValueMap shell = testreg::Values(HKEY_LOCAL_MACHINE, std::wstring(kShellKeys) + L"\\" + key);
        ReadsAsText(shell, L"Name", 4096, &button.name);
        auto found = stored.assignments.find(key);
        if (found != stored.assignments.end()) button.old = StoredDword(found->second, L"", 0);
        button.codes[0] = button.old & 0xFFFF;
        button.codes[1] = button.old >> 16;
        m.buttons.push_back(button);
    }
    return m;
}

// What a tap on a row does: selects and focuses it and moves the list's selection mark.
void TapListRow(HWND list, int index)
{
    SendMessageW(list, LVM_ENSUREVISIBLE, index, FALSE);
    RECT rc = {};
    rc.left = LVIR_LABEL;
    if (!SendMessageW(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc))) return;
    LPARAM point = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(list, WM_LBUTTONUP, 0, point);
}

void RegistryFuzzTest::EditButtons(Random& r, driver::Sheet& sheet, Model& m)
{
    HWND list = sheet.Item(IDC_BUTTONS_LIST);
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    if (rows == 0) return;
    const int row = static_cast<int>(r.Below(static_cast<uint32_t>(rows)));
    // The row's button, when its text names one button's row alone.
    const std::wstring text = driver::ListItemText(list, row, 0);
    Button* button = nullptr;
    int half = 0, matches = 0;
    const std::wstring hold = L" (Hold)";
    for (Button& candidate : m.buttons) {
        if (candidate.name == text) button = &candidate, half = 0, ++matches;
        if (m.holdRows && candidate.name + hold == text) button = &candidate, half = 1, ++matches;
    }
    if (matches != 1) return;
    TapListRow(list, row);
    if (SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0) != row) return;
    const int choice = static_cast<int>(r.Below(29));
    sheet.ChooseCombo(IDC_BUTTONS_ASSIGNMENT_COMBO, choice);
    const DWORD code = kActionCodes[choice];
    button->codes[half] = code;
    // The twin row follows: both halves left to the shell, or both taken over.
    if (!m.holdUnsupported && m.holdRows) {
        DWORD& twin = button->codes[1 - half];
        if ((twin == 0) != (code == 0)) twin = code == 0 ? 0 : 1;
    }
}

void RegistryFuzzTest::Edit(Random& r, driver::Sheet& sheet, int page, Model& m)
{
    auto& n = m.numbers;
    auto combo = [&](int id, const wchar_t* name, int count, std::function<DWORD(int)> stored) {
        const int index = static_cast<int>(r.Below(static_cast<uint32_t>(count)));
        sheet.ChooseCombo(id, index);
        n[name] = stored(index);
    };
    auto toggle = [&](int id, const wchar_t* name) {
        if (!sheet.Enabled(id)) return;
        sheet.Click(id);
        n[name] = n[name] ? 0 : 1;
    };
    auto same = [](int index) { return static_cast<DWORD>(index); };
    for (int edits = r.Between(1, 3); edits > 0; --edits) {
        switch (page) {
        case CORVANE_PAGE_BUTTONS:
            if (r.Percent(30))
                combo(IDC_BUTTONS_SCROLL_AMOUNT_COMBO, L"ScrollLineAmount", 100, [](int i) { return static_cast<DWORD>(i + 1); });
            else
                EditButtons(r, sheet, m);
            break;
        case CORVANE_PAGE_BROWSER:
            switch (r.Below(3)) {
            case 0: {
                const int index = static_cast<int>(r.Below(3));
                sheet.ChooseCombo(IDC_BROWSER_IDENTIFICATION_COMBO, index);
                m.identification = static_cast<DWORD>(index);
                break;
            }
            case 1: {
                const int index = static_cast<int>(r.Below(3));
                sheet.ChooseCombo(IDC_BROWSER_SCRIPT_COMBO, index);
                m.script = static_cast<DWORD>(index);
                break;
            }
            default:
                sheet.Click(IDC_BROWSER_CLEARTYPE_CHECK);
                m.clearType ^= 1;
                break;
            }
            break;
        case CORVANE_PAGE_ALIAS:
        case CORVANE_PAGE_SERVICE: {
            auto& entries = m.lists[page == CORVANE_PAGE_ALIAS ? L"Alias" : L"Service"];
            if (page == CORVANE_PAGE_ALIAS && r.Percent(30)) {
                combo(IDC_ALIAS_EXPAND_KEY_COMBO, L"AliasExpandKey", 11, same);
            } else if (!entries.empty()) {
                const int row = static_cast<int>(r.Below(static_cast<uint32_t>(entries.size())));
                urlpage::Tap(sheet, row);
                sheet.Click(IDC_URL_REMOVE);
                entries.erase(entries.begin() + row);
            }
            break;
        }
        case CORVANE_PAGE_SCREEN:
            switch (r.Below(6)) {
            case 0: toggle(IDC_SCREEN_HIDE_ADDRESS_BAR_CHECK, L"FSAddressBar"); break;
            case 1: toggle(IDC_SCREEN_HIDE_MENU_BAR_CHECK, L"FSMenuBar"); break;
            case 2: toggle(IDC_SCREEN_HIDE_VSCROLL_CHECK, L"FSVScroll"); break;
            case 3: toggle(IDC_SCREEN_HIDE_HSCROLL_CHECK, L"FSHScroll"); break;
            case 4: {
                if (!sheet.Enabled(IDC_SCREEN_RESTORE_BAR_RADIO)) break;
                const bool bar = r.Percent(50);
                sheet.Click(bar ? IDC_SCREEN_RESTORE_BAR_RADIO : IDC_SCREEN_RESTORE_BUTTON_RADIO);
                n[L"FSRestoreBar"] = bar ? 1 : 0;
                break;
            }
            default: {
                const int position = r.Between(-3, 20);
                SendMessageW(sheet.Item(IDC_SCREEN_SENSITIVITY_TRACKBAR), TBM_SETPOS, TRUE, position);
                n[L"ScreenDragSensitivity"] = ClampSigned(static_cast<DWORD>(position), 1, 16);
                break;
            }
            }
            break;
        case CORVANE_PAGE_MENU:
            switch (r.Below(4)) {
            case 0: combo(IDC_MENU_TAB_COMBO, L"MenuTab", 4, same); break;
            case 1: combo(IDC_MENU_BACK_COMBO, L"MenuBack", 2, same); break;
            case 2: combo(IDC_MENU_FORWARD_COMBO, L"MenuForward", 2, same); break;
            default: toggle(IDC_MENU_SOFTKEY_CHECK, L"MenuSoftKey"); break;
            }
            break;
        case CORVANE_PAGE_TAB_APPEARANCE:
            switch (r.Below(6)) {
            case 0: combo(IDC_TAB_APPEARANCE_COUNT_COMBO, L"TabCount", 7, [](int i) { return static_cast<DWORD>(i + 2); }); break;
            case 1: combo(IDC_TAB_APPEARANCE_HEIGHT_COMBO, L"TabHeight", 11, [](int i) { return static_cast<DWORD>(22 - i); }); break;
            case 2: combo(IDC_TAB_APPEARANCE_NEW_TAB_POS_COMBO, L"TabPosNewTab", 2, same); break;
            case 3: combo(IDC_TAB_APPEARANCE_ACTIVATE_COMBO, L"TabPosActivate", 2, same); break;
            case 4: toggle(IDC_TAB_APPEARANCE_HIDE_SINGLE_CHECK, L"TabHideSingle"); break;
            default: toggle(IDC_TAB_APPEARANCE_DOUBLE_TAP_CHECK, L"TabDoubleTap"); break;
            }
            break;
        case CORVANE_PAGE_NEW_TAB:
            switch (r.Below(4)) {
            case 0: {
                const int type = static_cast<int>(r.Below(3));
                sheet.Click(IDC_NEW_TAB_BLANK_RADIO + type);
                n[L"TabNewType"] = static_cast<DWORD>(type);
                break;
            }
            case 1: toggle(IDC_NEW_TAB_SOUND_CHECK, L"EventSound"); break;
            case 2: toggle(IDC_NEW_TAB_FOREGROUND_CHECK, L"EventForeground"); break;
            default: {
                const int count = sheet.ComboCount(IDC_NEW_TAB_SOUND_COMBO);
                const int index = static_cast<int>(r.Below(static_cast<uint32_t>(count)));
                sheet.ChooseCombo(IDC_NEW_TAB_SOUND_COMBO, index);
                m.eventSound = sheet.ComboData(IDC_NEW_TAB_SOUND_COMBO, index) == 0
                                   ? sheet.ComboText(IDC_NEW_TAB_SOUND_COMBO, index)
                                   : std::wstring(kBuiltInSound);
                break;
            }
            }
            break;
        case CORVANE_PAGE_VIEW:
            switch (r.Below(4)) {
            case 0: toggle(IDC_VIEW_SPLIT_TEXT_CHECK, L"SplitText"); break;
            case 1: toggle(IDC_VIEW_COMBINE_TD_CHECK, L"CombineTD"); break;
            case 2: {
                // The box shows what was typed; the length stored is that number, clamped, or
                // the spinner's position when the box shows no number.
                const wchar_t* const texts[] = {L"150", L"5", L"0", L"57", L"8", L"99", L"100", L"abc", L"", L"1,000",
                                                L"99999999999", L"-3", L"12a"};
                const std::wstring text = r.Pick(texts);
                sheet.SetText(IDC_VIEW_SPLIT_LENGTH_EDIT, text);
                std::wstring digits;
                bool number = !text.empty();
                for (wchar_t c : text) {
                    if (c == L',') continue;
                    if (c < L'0' || c > L'9') number = false;
                    digits += c;
                }
                const unsigned long long value = !number ? m.splitSpinner : digits.size() > 12 ? ~0ull : std::stoull(digits);
                n[L"SplitTextLen"] = static_cast<DWORD>(value < 8 ? 8 : value > 99 ? 99 : value);
                break;
            }
            default: {
                std::wstring path = RandomText(r, r.Percent(10) ? r.Between(2000, 3000) : r.Between(0, 40));
                path = path.c_str();  // a window text ends at its first NUL
                sheet.SetText(IDC_VIEW_SOURCE_APP_EDIT, path);
                m.viewSourceApp = path;
                break;
            }
            }
            break;
        default:
            return;
        }
    }
}

std::string RegistryFuzzTest::RunSeed(uint64_t seed)
{
    SCOPED_TRACE("seed " + std::to_string(seed));
    Random r(seed);
    Stored stored;
    Fill(r, stored);
    Snapshot(stored);

    driver::HostArgs args = Args(r.Between(0, kPageCount - 1));
    const int holdUnsupported[] = {0, 0, 1, -1, 7};
    args.holdUnsupported = r.Pick(holdUnsupported);
    const int platformLevels[] = {INT_MIN, -1, 0, 1, 2, 3, 4, 5, 6, INT_MAX};
    args.platformLevel = r.Pick(platformLevels);
    // A start page the sheet lacks opens the first one.
    if (r.Percent(10)) args.startPage = r.Pick({-1, 10, 0x10000});
    const int startPage = args.startPage >= 0 && args.startPage < kPageCount ? args.startPage : 0;

    Model model = Expect(stored, args);
    // Some pages or all of them, in any order, some edited; then OK or Cancel.
    std::vector<int> order;
    for (int page = 0; page < kPageCount; ++page)
        if (r.Percent(70)) order.insert(order.begin() + r.Below(static_cast<uint32_t>(order.size() + 1)), page);
    const bool ok = r.Percent(80);
    const uint32_t editPercent = r.Pick({0u, 30u, 70u});
    std::set<int> visited = {startPage};
    const int result = Show(args, [&](driver::Sheet& sheet) {
        if (r.Percent(editPercent)) Edit(r, sheet, startPage, model);
        for (int page : order) {
            sheet.Select(page);
            visited.insert(page);
            if (r.Percent(editPercent)) Edit(r, sheet, page, model);
        }
        if (ok) sheet.Ok();
        else sheet.Cancel();
    });
    const int last = order.empty() ? startPage : order.back();
    EXPECT_EQ(result, ShowResult(last, ok ? CORVANE_SHEET_OK : CORVANE_SHEET_CANCEL)) << "closed on the page visited last";

    const std::set<int> applied = ok ? visited : std::set<int>();
    CheckSettings(stored, model, applied);
    CheckList(stored, model, kLists[0], applied.count(CORVANE_PAGE_ALIAS) > 0);
    CheckList(stored, model, kLists[1], applied.count(CORVANE_PAGE_SERVICE) > 0);
    CheckButtons(stored, model, applied.count(CORVANE_PAGE_BUTTONS) > 0);
    CheckBrowser(stored, model, applied.count(CORVANE_PAGE_BROWSER) > 0);

    for (const std::wstring& sound : stored.sounds) DeleteFileW((kSoundFolder + sound + L".wav").c_str());
    std::string summary = ok ? "OK after " : "Cancel after ";
    for (int page : visited) summary += std::to_string(page);
    return summary + ", " + std::to_string(model.lists[L"Alias"].size()) + " aliases, " +
           std::to_string(model.lists[L"Service"].size()) + " services, " + std::to_string(stored.buttons.size()) +
           (model.holdRows ? " buttons with" : " buttons without") + " press-and-hold, " +
           std::to_string(stored.sounds.size()) + " sounds";
}

std::string Describe(const std::optional<RawValue>& value)
{
    if (!value) return "absent";
    std::string text = "type " + std::to_string(value->type) + ", " + std::to_string(value->data.size()) + " bytes";
    if (value->type == REG_DWORD && value->data.size() == 4) {
        DWORD number = 0;
        memcpy(&number, value->data.data(), 4);
        char hex[16];
        std::snprintf(hex, sizeof(hex), "0x%lX", static_cast<unsigned long>(number));
        text += ": " + std::string(hex);
    } else if (value->type == REG_SZ) {
        std::wstring units(value->data.size() / 2, L'\0');
        if (!units.empty()) memcpy(&units[0], value->data.data(), units.size() * 2);
        text += ": " + Short(units);
    }
    return text;
}

// Every value of the key exactly as expected, none missing and none extra.
void ExpectValues(const ValueMap& actual, const ValueMap& expected, const std::string& where)
{
    int reported = 0;
    std::set<std::wstring, testreg::NameLess> names;
    for (const auto& value : actual) names.insert(value.first);
    for (const auto& value : expected) names.insert(value.first);
    for (const std::wstring& name : names) {
        auto a = actual.find(name);
        auto e = expected.find(name);
        std::optional<RawValue> got = a == actual.end() ? std::nullopt : std::optional<RawValue>(a->second);
        std::optional<RawValue> want = e == expected.end() ? std::nullopt : std::optional<RawValue>(e->second);
        if (got == want) continue;
        if (reported++ < 5)
            ADD_FAILURE() << where << " " << Short(name) << ": " << Describe(got) << ", expected " << Describe(want);
    }
    EXPECT_EQ(reported, 0) << where << ": values differ";
}

const std::map<int, std::vector<const wchar_t*>> kPageNumbers = {
    {CORVANE_PAGE_BUTTONS, {L"ScrollLineAmount", L"HotKeyInterval"}},
    {CORVANE_PAGE_ALIAS, {L"AliasExpandKey"}},
    {CORVANE_PAGE_SCREEN, {L"FSAddressBar", L"FSMenuBar", L"FSRestoreBar", L"FSRestoreBarHeight", L"FSVScroll", L"FSHScroll",
         L"ScreenDragSensitivity"}},
    {CORVANE_PAGE_MENU, {L"MenuTab", L"MenuBack", L"MenuForward", L"MenuSoftKey"}},
    {CORVANE_PAGE_TAB_APPEARANCE, {L"TabCount", L"TabHeight", L"TabHideSingle", L"TabPosNewTab", L"TabPosActivate", L"TabDoubleTap"}},
    {CORVANE_PAGE_NEW_TAB, {L"TabNewType", L"EventSound", L"EventForeground"}},
    {CORVANE_PAGE_VIEW, {L"SplitText", L"SplitTextLen", L"CombineTD", L"SplitPRE"}},
};

void RegistryFuzzTest::CheckSettings(const Stored& stored, const Model& m, const std::set<int>& applied)
{
    // Pages never applied leave their values as they were, whatever their type; the values no
    // page owns ("FSTab", other software's) stay too.
    ValueMap expected = stored.settings;
    for (int page : applied) {
        auto numbers = kPageNumbers.find(page);
        if (numbers != kPageNumbers.end())
            for (const wchar_t* name : numbers->second) expected[name] = DwordRaw(m.numbers.at(name));
    }
    if (applied.count(CORVANE_PAGE_BROWSER)) expected[L"Identification"] = DwordRaw(m.identification);
    if (applied.count(CORVANE_PAGE_NEW_TAB)) expected[L"EventSoundFile"] = TextRaw(m.eventSound);
    if (applied.count(CORVANE_PAGE_VIEW)) expected[L"ViewSourceApp"] = TextRaw(m.viewSourceApp);
    ExpectValues(testreg::Values(HKEY_CURRENT_USER, SettingsPath()), expected, "settings key");
}

void RegistryFuzzTest::CheckList(const Stored& stored, const Model& m, const ListShape& shape, bool applied)
{
    const std::wstring path = SectionPath(shape.subkey);
    ExpectValues(testreg::Values(HKEY_CURRENT_USER, path + L"\\Other\\Deeper"), stored.listChildren.at(shape.subkey),
                 "a key below " + Short(shape.subkey));
    if (!applied) {
        ExpectValues(testreg::Values(HKEY_CURRENT_USER, path), stored.lists.at(shape.subkey), Short(shape.subkey));
        return;
    }
    EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, path)) << shape.subkey << " is written even when empty";
    ValueMap expected;
    const auto& entries = m.lists.at(shape.subkey);
    for (size_t i = 0; i < entries.size(); ++i) {
        expected[Indexed(static_cast<int>(i), L"Name")] = TextRaw(entries[i].first);
        expected[Indexed(static_cast<int>(i), L"URL")] = TextRaw(entries[i].second);
    }
    ExpectValues(testreg::Values(HKEY_CURRENT_USER, path), expected, Short(shape.subkey));
}

void RegistryFuzzTest::CheckButtons(const Stored& stored, const Model& m, bool applied)
{
    // Assignments of buttons the shell does not list, and every other value, are left alone.
    std::map<std::wstring, ValueMap, testreg::NameLess> expected(stored.assignments.begin(), stored.assignments.end());
    if (applied) {
        for (const Button& button : m.buttons) {
            // The short-press row stores its code whole and keeps the press-and-hold half; a
            // press-and-hold row after it keeps only the short code's low byte beside its own.
            DWORD value = (button.old & 0xFFFF0000) | (button.codes[0] & 0xFFFF);
            if (m.holdRows) value = (value & 0xFF) | (button.codes[1] << 16);
            expected[button.key][L""] = DwordRaw(value);
        }
    }
    std::set<std::wstring, testreg::NameLess> keys;
    for (const std::wstring& name : testreg::SubkeyNames(HKEY_CURRENT_USER, SectionPath(L"Keys"))) keys.insert(name);
    for (const auto& button : expected) {
        EXPECT_TRUE(keys.count(button.first)) << "no assignment key for " << Short(button.first);
        ExpectValues(testreg::Values(HKEY_CURRENT_USER, SectionPath(L"Keys\\" + button.first)), button.second,
                     "the assignment of " + Short(button.first));
    }
    for (const std::wstring& key : keys)
        EXPECT_TRUE(expected.count(key)) << "an assignment key made for " << Short(key);
}

void RegistryFuzzTest::CheckBrowser(const Stored& stored, const Model& m, bool applied)
{
    ValueMap settings = stored.internetSettings, main = stored.explorerMain, agent = stored.userAgent,
             post = stored.postPlatform;
    bool agentKey = stored.userAgentKey, postKey = stored.postPlatformKey;
    if (applied) {
        // No selection writes scripts on and errors shown.
        settings[L"Security_RunScripts"] = DwordRaw(m.script == 0 ? 0 : 1);
        main[L"ShowScriptErrors"] = DwordRaw(m.script == 0 || m.script == 1 ? 0 : 1);
        settings[L"ClearTypeText"] = DwordRaw(m.clearType);
        if (m.identification <= 2) {
            const Identification& chosen = kIdentifications[m.identification];
            agent[L""] = TextRaw(chosen.product);
            agent[L"Platform"] = TextRaw(chosen.platform);
            agent[L"Version"] = TextRaw(chosen.version);
            post.clear();
            for (const std::wstring& token : chosen.tokens) post[token] = TextRaw(L"");
            agentKey = postKey = true;
        }
    }
    ExpectValues(testreg::Values(HKEY_LOCAL_MACHINE, kInternetSettings), settings, "Internet Settings");
    ExpectValues(testreg::Values(HKEY_CURRENT_USER, kExplorerMain), main, "Internet Explorer\\Main");
    EXPECT_EQ(testreg::KeyExists(HKEY_LOCAL_MACHINE, kUserAgent), agentKey);
    EXPECT_EQ(testreg::KeyExists(HKEY_LOCAL_MACHINE, kPostPlatform), postKey);
    ExpectValues(testreg::Values(HKEY_LOCAL_MACHINE, kUserAgent), agent, "User Agent");
    ExpectValues(testreg::Values(HKEY_LOCAL_MACHINE, kPostPlatform), post, "Post Platform");
    ExpectValues(testreg::Values(HKEY_LOCAL_MACHINE, std::wstring(kUserAgent) + L"\\Pre Platform"),
                 stored.userAgentChild, "a key below User Agent");
    ExpectValues(testreg::Values(HKEY_LOCAL_MACHINE, std::wstring(kPostPlatform) + L"\\Below"),
                 stored.postPlatformChild, "a key below Post Platform");
}

TEST_F(RegistryFuzzTest, RandomContentsAndUseWriteExactlyWhatThePagesShow)
{
    seeds::RunSeeds("CORVANE_FUZZ", "fuzz", "seed", 8, [this](uint64_t seed) { return RunSeed(seed); });
}

}  // namespace
