// The stored form of the URL lists, their built-in defaults and the writers that seed them,
// against the real registry.
#include <gtest/gtest.h>

#include "host/HostContext.h"
#include "pages/urls/UrlList.h"
#include "resource.h"
#include "class/HostSettingsTest.h"

namespace {

class UrlListTest : public HostSettingsTest {
protected:
    std::wstring Alias() const { return SectionPath(L"Alias"); }
    void Put(const wchar_t* name, const std::wstring& text) const
    {
        testreg::WriteString(HKEY_CURRENT_USER, Alias(), name, text);
    }
    std::wstring Stored(const std::wstring& section, const wchar_t* name) const
    {
        std::wstring text = L"<absent>";
        testreg::ReadString(HKEY_CURRENT_USER, SectionPath(section), name, &text);
        return text;
    }
    size_t ValueCount(const std::wstring& section) const
    {
        return testreg::ValueNames(HKEY_CURRENT_USER, SectionPath(section)).size();
    }
};

UrlListEntry Entry(const wchar_t* flags, const wchar_t* text, const wchar_t* url)
{
    return UrlListEntry{flags, text, url};
}

TEST_F(UrlListTest, SaveWritesFlagsAndTextAsNameAndUrlWithTheirNuls)
{
    SaveUrlList(kAliasSubkey, {Entry(L"DE", L"c", L"http://www.%s.com/"), Entry(L"  ", L"g", L"")});
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, Alias()).size(), 4u) << "the subkey holds nothing else";
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(testreg::ReadRaw(HKEY_CURRENT_USER, Alias(), L"0_Name", &type, &data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data.size(), 8u) << "\"DEc\" and its NUL";
    EXPECT_EQ(Stored(L"Alias", L"0_Name"), L"DEc");
    EXPECT_EQ(Stored(L"Alias", L"0_URL"), L"http://www.%s.com/");
    EXPECT_EQ(Stored(L"Alias", L"1_Name"), L"  g");
    ASSERT_TRUE(testreg::ReadRaw(HKEY_CURRENT_USER, Alias(), L"1_URL", &type, &data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data.size(), 2u) << "an empty URL is stored as one NUL";
}

TEST_F(UrlListTest, SaveRewritesTheWholeListAndKeepsAnEmptySubkey)
{
    SaveUrlList(kAliasSubkey, {Entry(L"  ", L"a", L"1"), Entry(L"  ", L"b", L"2"), Entry(L"  ", L"c", L"3")});
    Put(L"7_Name", L"  stale");
    SaveUrlList(kAliasSubkey, {Entry(L"E", L"x", L"9")});
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, Alias()), (std::vector<std::wstring>{L"0_Name", L"0_URL"}));
    EXPECT_EQ(Stored(L"Alias", L"0_Name"), L"E x") << "flags are padded to two characters";

    SaveUrlList(kAliasSubkey, {});
    EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, Alias()));
    EXPECT_EQ(ValueCount(L"Alias"), 0u);
    WriteDefaultAliases();
    EXPECT_EQ(ValueCount(L"Alias"), 0u) << "an emptied list is the user's, not a missing one";
}

TEST_F(UrlListTest, LoadStopsAtAGapAndAtAMissingUrl)
{
    EXPECT_TRUE(LoadUrlList(kAliasSubkey).empty());
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, Alias())) << "reading creates nothing";

    Put(L"0_Name", L"DEc");
    Put(L"0_URL", L"u0");
    Put(L"2_Name", L"  z");
    Put(L"2_URL", L"u2");
    UrlList list = LoadUrlList(kAliasSubkey);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].flags, L"DE");
    EXPECT_EQ(list[0].text, L"c");
    EXPECT_EQ(list[0].url, L"u0");
    SaveUrlList(kAliasSubkey, list);
    EXPECT_EQ(ValueCount(L"Alias"), 2u) << "values behind the gap are gone";

    Put(L"1_Name", L" Eb");
    Put(L"2_Name", L"  z");
    Put(L"2_URL", L"u2");
    list = LoadUrlList(kAliasSubkey);
    ASSERT_EQ(list.size(), 2u) << "an entry without its URL is the last one read";
    EXPECT_EQ(list[1].text, L"b");
    EXPECT_EQ(list[1].url, L"");
}

TEST_F(UrlListTest, ExpandStringsAndOverlongNamesEndTheList)
{
    Put(L"0_Name", L"  a");
    Put(L"0_URL", L"u");
    const wchar_t expand[] = L"  b";
    testreg::WriteRaw(HKEY_CURRENT_USER, Alias(), L"1_Name", REG_EXPAND_SZ, expand, sizeof(expand));
    Put(L"1_URL", L"u");
    EXPECT_EQ(LoadUrlList(kAliasSubkey).size(), 1u);

    Put(L"1_Name", L"  " + std::wstring(2045, L'n'));
    Put(L"1_URL", std::wstring(2047, L'u'));
    Put(L"2_Name", L"  " + std::wstring(2046, L'n'));
    Put(L"2_URL", L"u");
    UrlList list = LoadUrlList(kAliasSubkey);
    ASSERT_EQ(list.size(), 2u) << "2047 characters still fit in 4096 bytes, 2048 do not";
    EXPECT_EQ(list[1].text.size(), 2045u);
    EXPECT_EQ(list[1].url.size(), 2047u);
}

TEST_F(UrlListTest, ShortNamesLoadWithSpacesForTheirMissingFlags)
{
    Put(L"0_Name", L"D");
    Put(L"0_URL", L"u");
    Put(L"1_Name", L"");
    Put(L"1_URL", L"v");
    UrlList list = LoadUrlList(kAliasSubkey);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].flags, L"D ");
    EXPECT_EQ(list[0].text, L"");
    EXPECT_EQ(list[1].flags, L"  ");
    EXPECT_EQ(list[1].text, L"");
    EXPECT_EQ(list[1].url, L"v");
}

// The default aliases: flags, alias, and the URL's fixed front (where the host is a template)
// and path. The hosts of named kinds of site are free, but every URL is an http:// one.
struct DefaultAlias {
    const wchar_t* flags;
    const wchar_t* text;
    const wchar_t* front;
    const wchar_t* path;
};
const DefaultAlias kDefaultAliases[] = {
    {L"DE", L"c", L"http://www.%s.com", L"/"},
    {L" E", L"n", L"http://www.%s.net", L"/"},
    {L" E", L"o", L"http://www.%s.org", L"/"},
    {L"  ", L"g", L"http://", L"/search?q=%us"},
    {L"  ", L"gm", L"http://", L"/xhtml?q=%us"},
    {L"  ", L"m", L"http://", L"/"},
    {L"  ", L"img", L"http://", L"/images?q=%us"},
    {L"  ", L"grp", L"http://", L"/groups?q=%us"},
    {L"  ", L"news", L"http://", L"/news?q=%us"},
    {L"  ", L"frg", L"http://", L"/froogle?q=%us"},
    {L"  ", L"bk", L"http://", L"/books?q=%us"},
    {L"  ", L"mp3", L"http://", L"/search.php?stype=song&query=%us&action=Search"},
    {L"  ", L"y", L"http://", L"/"},
    {L"  ", L"ys", L"http://", L"/search?p=%us"},
    {L"  ", L"pt", L"http://", L"/mobile/index.php?start=%s"},
    {L"  ", L"bh", L"http://", L"/"},
    {L"  ", L"hd", L"http://", L"/"},
    {L"  ", L"pg", L"http://", L"/"},
    {L"  ", L"hq", L"http://", L"/"},
    {L"  ", L"help", L"http://", L"/Corvane/Help"},
};

// The URL's path after "http://" and a host of at least one dot.
std::wstring PathOf(const std::wstring& url)
{
    const std::wstring scheme = L"http://";
    if (url.compare(0, scheme.size(), scheme) != 0) return L"<not http>";
    size_t slash = url.find(L'/', scheme.size());
    std::wstring host = url.substr(scheme.size(), slash - scheme.size());
    if (slash == std::wstring::npos || host.find(L'.') == std::wstring::npos) return L"<no host>";
    return url.substr(slash);
}

TEST_F(UrlListTest, DefaultAliasesAreTheTwentyTabledEntries)
{
    UrlList list = DefaultUrlList(IDS_ALIAS_DEFAULTS_FIRST);
    ASSERT_EQ(list.size(), 20u);
    for (size_t i = 0; i < list.size(); ++i) {
        const DefaultAlias& expected = kDefaultAliases[i];
        EXPECT_EQ(list[i].flags, expected.flags) << i;
        EXPECT_EQ(list[i].text, expected.text) << i;
        EXPECT_EQ(list[i].url.compare(0, wcslen(expected.front), expected.front), 0) << i;
        EXPECT_EQ(PathOf(list[i].url), expected.path) << i;
    }
    EXPECT_EQ(list[0].url, L"http://www.%s.com/");
}

TEST_F(UrlListTest, DefaultServicesAreTheFortyEightTabledEntries)
{
    UrlList list = DefaultUrlList(IDS_SERVICE_DEFAULTS_FIRST);
    ASSERT_EQ(list.size(), 48u);
    const wchar_t* const builders[] = {L"com", L"net", L"org", NULL, L"biz", L"edu", L"gov", L"info", L"name",
                                       L"pro", L"", L"co.il", L"co.jp", L"co.kr", L"co.uk", L"com.au", NULL,
                                       L"ca", L"cn", L"de", L"dk", L"fr", L"it", L"ru"};
    for (int i = 2; i <= 25; ++i) {
        const wchar_t* domain = builders[i - 2];
        if (domain && !*domain) continue;  // the second group's heading
        if (!domain) {
            EXPECT_EQ(list[i].flags, L"CS") << i;
            EXPECT_EQ(list[i].text + list[i].url, L"") << i;
            continue;
        }
        EXPECT_EQ(list[i].flags, L"C ") << i;
        EXPECT_EQ(list[i].text, std::wstring(L"http://www.|.") + domain + L"/") << i;
        EXPECT_EQ(list[i].url, std::wstring(L"http://www.%s.") + domain + L"/") << i;
    }
    const int headings[] = {0, 1, 12, 35};
    const wchar_t* const headingNames[] = {L"Clear URL", L"URL Builder (Global)", L"URL Builder (Local)",
                                           L"Translation"};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(list[headings[k]].flags, L"  ");
        EXPECT_EQ(list[headings[k]].text, headingNames[k]);
        EXPECT_EQ(list[headings[k]].url, L"");
    }
    EXPECT_EQ(list[26].flags, L" S");
    EXPECT_EQ(list[26].text + list[26].url, L"");

    const wchar_t* const named[][2] = {
        {L"Google Mobile", L"/gwt/n?u=%s"},         {L"Skweezer", L"/skweeze.aspx?i=1&q=%s"},
        {L"MobileLeap", L"/%s"},                    {L"WebWarper", L"/ww/~av/%s"},
        {L"Similar page at Google", L"/search?as_rq=%s"}, {L"Reference at Google", L"/search?as_lq=%s"},
        {L"Old Version at Google", L"/search?sourceid=navclient&q=cache:%s"}, {L"Old version", L"/web/*/%s"},
    };
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(list[27 + k].flags, L"  ");
        EXPECT_EQ(list[27 + k].text, named[k][0]);
        EXPECT_EQ(PathOf(list[27 + k].url), named[k][1]);
    }
    EXPECT_EQ(list[31].url.substr(0, list[31].url.find(L"/search")), list[27].url.substr(0, list[27].url.find(L"/gwt")))
        << "the Google entries share the search engine's host";

    const wchar_t* const languages[][2] = {
        {L"Chinese Simplified", L"ZH_CN"}, {L"Chinese Traditional", L"ZH_TW"}, {L"Dutch", L"NL"},
        {L"French", L"FR"}, {L"German", L"DE"}, {L"Greek", L"EL"}, {L"Italian", L"IT"}, {L"Japanese", L"JA"},
        {L"Korean", L"KO"}, {L"Portuguese", L"PT"}, {L"Russian", L"RU"}, {L"Spanish", L"ES"},
    };
    const std::wstring translator = list[36].url.substr(0, list[36].url.find(L"/wl/"));
    for (int k = 0; k < 12; ++k) {
        const UrlListEntry& entry = list[36 + k];
        EXPECT_EQ(entry.flags, L"C ");
        EXPECT_EQ(entry.text, std::wstring(languages[k][0]) + L" to English");
        EXPECT_EQ(entry.url, translator + L"/wl/translate?wl_lp=" + languages[k][1] + L"-EN&wl_fl=2&wl_url=%s");
    }
    EXPECT_EQ(PathOf(translator + L"/"), L"/");
}

TEST_F(UrlListTest, DefaultWritersSeedOnlyAnAbsentSubkey)
{
    WriteDefaultAliases();
    WriteDefaultServices();
    EXPECT_EQ(ValueCount(L"Alias"), 40u);
    EXPECT_EQ(Stored(L"Alias", L"0_Name"), L"DEc");
    EXPECT_EQ(Stored(L"Alias", L"0_URL"), L"http://www.%s.com/");
    EXPECT_EQ(Stored(L"Alias", L"19_Name"), L"  help");
    EXPECT_EQ(ValueCount(L"Service"), 96u);
    EXPECT_EQ(Stored(L"Service", L"5_Name"), L"CS");
    EXPECT_EQ(Stored(L"Service", L"5_URL"), L"");
    EXPECT_EQ(Stored(L"Service", L"26_Name"), L" S");
    EXPECT_EQ(Stored(L"Service", L"47_Name"), L"C Spanish to English");

    Put(L"0_Name", L"  mine");
    WriteDefaultAliases();
    EXPECT_EQ(Stored(L"Alias", L"0_Name"), L"  mine");

    testreg::DeleteTree(HKEY_CURRENT_USER, SectionPath(L"Service"));
    HKEY empty = NULL;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(L"Service").c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                              &empty, NULL),
              ERROR_SUCCESS);
    RegCloseKey(empty);
    WriteDefaultServices();
    EXPECT_EQ(ValueCount(L"Service"), 0u) << "an existing empty subkey is left alone";
}

}  // namespace
