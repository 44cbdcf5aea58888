// The registry classes against the real registry, each test in its own key.
#include <gtest/gtest.h>

#include "host/HostContext.h"
#include "resource.h"
#include "pages/urls/UrlList.h"
#include "settings/SettingsKey.h"
#include "class/HostSettingsTest.h"

namespace {

class RegKeyTest : public HostSettingsTest {
protected:
    // A plain key on the test's path, with no string-id lookups.
    void OpenPlain(RegKey& key) { ASSERT_EQ(key.Create(HKEY_CURRENT_USER, SettingsPath().c_str(), NULL), 1); }
    void WriteRaw(const wchar_t* name, DWORD type, const void* data, DWORD size)
    {
        testreg::WriteRaw(HKEY_CURRENT_USER, SettingsPath(), name, type, data, size);
    }
};

TEST_F(RegKeyTest, ReadDwordOfAbsentValueFailsAndKeepsTheDefault)
{
    RegKey key;
    OpenPlain(key);
    DWORD value = 77;
    EXPECT_EQ(key.ReadDword(L"Missing", &value), 0);
    EXPECT_EQ(value, 77u);
}

TEST_F(RegKeyTest, ReadDwordAcceptsOnlyDwordValuesAndKeepsTheDefaultOtherwise)
{
    testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"Text", L"12345");
    testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"Char", L"5");  // four bytes with its NUL
    const WORD shortData = 9;
    WriteRaw(L"Short", REG_DWORD, &shortData, sizeof(shortData));
    WriteDword(L"Number", 42);
    RegKey key;
    OpenPlain(key);
    DWORD value = 7;
    EXPECT_EQ(key.ReadDword(L"Text", &value), 0);
    EXPECT_EQ(key.ReadDword(L"Char", &value), 0);
    EXPECT_EQ(key.ReadDword(L"Short", &value), 0);
    EXPECT_EQ(value, 7u) << "data of another type or size must not reach the variable";
    EXPECT_EQ(key.ReadDword(L"Number", &value), 1);
    EXPECT_EQ(value, 42u);
}

TEST_F(RegKeyTest, ReadStringFailsWhenTheBufferIsTooSmall)
{
    testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"Text", L"abcdef");
    RegKey key;
    OpenPlain(key);
    wchar_t buffer[4] = L"xyz";
    DWORD size = sizeof(buffer);
    EXPECT_EQ(key.ReadString(L"Text", buffer, &size), 0);
}

TEST_F(RegKeyTest, ReadStringRejectsOtherTypes)
{
    const wchar_t expandable[] = L"%TEMP%";
    WriteRaw(L"Expand", REG_EXPAND_SZ, expandable, sizeof(expandable));
    WriteDword(L"Number", 1);
    RegKey key;
    OpenPlain(key);
    wchar_t buffer[64];
    DWORD size = sizeof(buffer);
    EXPECT_EQ(key.ReadString(L"Expand", buffer, &size), 0);
    size = sizeof(buffer);
    EXPECT_EQ(key.ReadString(L"Number", buffer, &size), 0);
}

TEST_F(RegKeyTest, ReadStringTerminatesDataStoredWithoutNul)
{
    WriteRaw(L"Bare", REG_SZ, L"abc", 6);        // no terminator
    WriteRaw(L"Odd", REG_SZ, L"abcd", 5);        // two characters and half of the third
    WriteRaw(L"Empty", REG_SZ, L"", 0);          // no data at all
    RegKey key;
    OpenPlain(key);
    wchar_t buffer[16];
    for (wchar_t& c : buffer) c = L'#';
    DWORD size = sizeof(buffer);
    ASSERT_EQ(key.ReadString(L"Bare", buffer, &size), 1);
    EXPECT_STREQ(buffer, L"abc");
    EXPECT_EQ(size, 8u);

    for (wchar_t& c : buffer) c = L'#';
    size = sizeof(buffer);
    ASSERT_EQ(key.ReadString(L"Odd", buffer, &size), 1);
    EXPECT_STREQ(buffer, L"ab");

    for (wchar_t& c : buffer) c = L'#';
    size = sizeof(buffer);
    ASSERT_EQ(key.ReadString(L"Empty", buffer, &size), 1);
    EXPECT_STREQ(buffer, L"");
}

TEST_F(RegKeyTest, ReadStringFailsWhenAnUnterminatedTextFillsTheBuffer)
{
    WriteRaw(L"Full", REG_SZ, L"abcd", 8);
    RegKey key;
    OpenPlain(key);
    wchar_t buffer[5] = {L'#', L'#', L'#', L'#', L'!'};
    DWORD size = 8;  // room for the four characters and no terminator
    EXPECT_EQ(key.ReadString(L"Full", buffer, &size), 0);
    EXPECT_EQ(buffer[4], L'!') << "nothing may be written past the stated capacity";
}

TEST_F(RegKeyTest, WriteStringStoresTheTerminator)
{
    RegKey key;
    OpenPlain(key);
    ASSERT_EQ(key.WriteString(L"Empty", L""), 1);
    ASSERT_EQ(key.WriteString(L"Word", L"abc"), 1);
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(testreg::ReadRaw(HKEY_CURRENT_USER, SettingsPath(), L"Empty", &type, &data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data.size(), 2u);
    ASSERT_TRUE(testreg::ReadRaw(HKEY_CURRENT_USER, SettingsPath(), L"Word", &type, &data));
    EXPECT_EQ(data.size(), 8u);
}

TEST_F(RegKeyTest, NullNameAddressesTheDefaultValue)
{
    RegKey key;
    OpenPlain(key);
    ASSERT_EQ(key.WriteString(static_cast<LPCWSTR>(NULL), L"shell"), 1);
    std::wstring text;
    ASSERT_TRUE(testreg::ReadString(HKEY_CURRENT_USER, SettingsPath(), NULL, &text));
    EXPECT_EQ(text, L"shell");
    wchar_t buffer[16];
    DWORD size = sizeof(buffer);
    ASSERT_EQ(key.ReadString(static_cast<LPCWSTR>(NULL), buffer, &size), 1);
    EXPECT_STREQ(buffer, L"shell");
}

TEST_F(RegKeyTest, ValueNamesComeFromTheStringTable)
{
    SettingsKey settings;
    ASSERT_EQ(settings.Create(NULL, NULL), 1);
    ASSERT_EQ(settings.WriteDword(IDS_VALUE_TAB_COUNT, 5), 1);
    EXPECT_EQ(Dword(L"TabCount"), 5u);
    DWORD value = 0;
    EXPECT_EQ(settings.ReadDword(IDS_VALUE_TAB_COUNT, &value), 1);
    EXPECT_EQ(value, 5u);

    // An id without a string touches nothing.
    EXPECT_EQ(settings.WriteDword(9999u, 1), 0);
    EXPECT_EQ(settings.WriteString(9999u, L"x"), 0);
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, SettingsPath()).size(), 1u);
}

TEST_F(RegKeyTest, ClosedKeyFailsEveryValueOperation)
{
    RegKey key;
    EXPECT_EQ(key.Close(), 1);
    DWORD value = 3;
    EXPECT_EQ(key.ReadDword(L"Any", &value), 0);
    EXPECT_EQ(key.WriteDword(L"Any", 1), 0);
    EXPECT_EQ(key.DeleteValue(L"Any"), 0);
    std::wstring name;
    EXPECT_EQ(key.EnumValueName(0, name, NULL, NULL, NULL), 0);
}

TEST_F(RegKeyTest, OpenCreatesNothingWhileCreateBuildsEveryLevel)
{
    SettingsKey settings;
    EXPECT_EQ(settings.Open(L"Alias"), 0);
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, SettingsPath()));

    DWORD disposition = 0;
    ASSERT_EQ(settings.Create(L"Keys\\40C1", &disposition), 1);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, SectionPath(L"Keys\\40C1")));
    settings.Close();

    ASSERT_EQ(settings.Create(L"Keys\\40C1", &disposition), 1);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    settings.Close();
    EXPECT_EQ(settings.Open(L"Keys\\40C1"), 1);
}

TEST_F(RegKeyTest, SettingsKeyNeedsVendorAndProduct)
{
    hostContext.product = NULL;
    SettingsKey settings;
    EXPECT_EQ(settings.Create(NULL, NULL), 0);
    EXPECT_EQ(settings.Open(NULL), 0);
}

// Each level of a vendor or product is one key name, of at most 255 characters; a vendor or
// product without any name would leave the settings on a key that is not their own.
TEST_F(RegKeyTest, SettingsKeyNeedsAKeyNameInVendorAndProduct)
{
    const std::wstring longest(255, L'p'), tooLong(256, L'p'), nested = product + L"\\Nested";
    const struct {
        const wchar_t *vendor, *product;
        int created;
    } cases[] = {
        {vendor.c_str(), longest.c_str(), 1}, {vendor.c_str(), nested.c_str(), 1}, {vendor.c_str(), tooLong.c_str(), 0},
        {vendor.c_str(), L"", 0},             {vendor.c_str(), L"\\\\", 0},     {L"", product.c_str(), 0},
    };
    for (const auto& c : cases) {
        hostContext.vendor = c.vendor;
        hostContext.product = c.product;
        SettingsKey settings;
        EXPECT_EQ(settings.Create(NULL, NULL), c.created) << testing::PrintToString(std::wstring(c.vendor).substr(0, 20))
                                                          << " " << testing::PrintToString(std::wstring(c.product).substr(0, 20));
    }
    EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, SettingsPath() + L"\\Nested"));
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, L"Software\\" + vendor + L"\\" + tooLong));
    testreg::DeleteTree(HKEY_CURRENT_USER, L"Software\\" + vendor + L"\\" + longest);
}

TEST_F(RegKeyTest, EnumerationStopsPastTheLastIndex)
{
    RegKey key;
    OpenPlain(key);
    const std::wstring longName(255, L'n');
    ASSERT_EQ(key.WriteDword(longName.c_str(), 1), 1);
    ASSERT_EQ(key.WriteDword(L"Short", 2), 1);
    RegKey child;
    ASSERT_EQ(child.Create(key.Handle(), L"Child", NULL), 1);

    std::wstring name;
    std::vector<std::wstring> names;
    for (DWORD i = 0; key.EnumValueName(i, name, NULL, NULL, NULL); ++i) names.push_back(name);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_TRUE(names[0] == longName || names[1] == longName);
    name = L"unchanged";
    EXPECT_EQ(key.EnumValueName(2, name, NULL, NULL, NULL), 0);
    EXPECT_EQ(name, L"unchanged");

    ASSERT_EQ(key.EnumSubKeyName(0, name), 1);
    EXPECT_EQ(name, L"Child");
    EXPECT_EQ(key.EnumSubKeyName(1, name), 0);
}

TEST_F(RegKeyTest, DeleteSubKeyRemovesEverythingBelowIt)
{
    testreg::WriteDword(HKEY_CURRENT_USER, SectionPath(L"Alias\\Nested"), L"Deep", 1);
    testreg::WriteString(HKEY_CURRENT_USER, SectionPath(L"Alias"), L"0_Name", L"  g");
    SettingsKey settings;
    ASSERT_EQ(settings.Open(NULL), 1);
    EXPECT_EQ(settings.DeleteSubKey(L"Alias"), 1);
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, SectionPath(L"Alias")));
    EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, SettingsPath()));
    EXPECT_EQ(settings.DeleteSubKey(L""), 0) << "an empty name must not empty the key itself";
}

}  // namespace

namespace {

// A key that grants everyone `access` and nothing more; the test's own key holds it.
class LockedKey {
public:
    LockedKey(const std::wstring& path, DWORD access) : path(path)
    {
        testreg::WriteDword(HKEY_CURRENT_USER, path, L"Value", 5);
        Protect(access);
    }
    ~LockedKey()
    {
        // Everything again, so that the test's key can be deleted.
        Protect(KEY_ALL_ACCESS);
    }
    LockedKey(const LockedKey&) = delete;
    LockedKey& operator=(const LockedKey&) = delete;

private:
    void Protect(DWORD access)
    {
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        PSID everyone = NULL;
        ASSERT_TRUE(AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone));
        BYTE aclBuffer[256];
        ACL* acl = reinterpret_cast<ACL*>(aclBuffer);
        ASSERT_TRUE(InitializeAcl(acl, sizeof(aclBuffer), ACL_REVISION));
        ASSERT_TRUE(AddAccessAllowedAce(acl, ACL_REVISION, access, everyone));
        SECURITY_DESCRIPTOR descriptor;
        InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
        HKEY key = NULL;
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS);
        EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS);
        RegCloseKey(key);
        FreeSid(everyone);
    }
    std::wstring path;
};

TEST_F(RegKeyTest, DeleteValuesTakesEveryValueWhateverItsNameAndKeepsSubkeys)
{
    const std::wstring longName(5000, L'v');
    testreg::WriteDword(HKEY_CURRENT_USER, SettingsPath(), longName.c_str(), 1);
    testreg::WriteDword(HKEY_CURRENT_USER, SettingsPath(), L"Short", 2);
    testreg::WriteDword(HKEY_CURRENT_USER, SettingsPath(), nullptr, 3);
    testreg::WriteDword(HKEY_CURRENT_USER, SectionPath(L"Child"), L"Kept", 4);
    RegKey key;
    OpenPlain(key);
    EXPECT_EQ(key.DeleteValues(), 1);
    EXPECT_TRUE(testreg::ValueNames(HKEY_CURRENT_USER, SettingsPath()).empty());
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, SectionPath(L"Child")), (std::vector<std::wstring>{L"Kept"}));
    EXPECT_EQ(key.DeleteValues(), 1) << "an empty key is emptied already";
    key.Close();
    EXPECT_EQ(key.DeleteValues(), 0) << "no key, nothing emptied";
}

// On a registry that enforces access rights, a key a standard user may only read opens for
// reading; and a key that exists but cannot be opened is not taken for an absent one.
TEST_F(RegKeyTest, ReadOnlyOpenNeedsReadAccessOnlyAndOnlyAMissingKeyIsNotFound)
{
    const std::wstring readable = SectionPath(L"Readable"), closed = SectionPath(L"Closed");
    LockedKey readOnly(readable, KEY_READ);
    LockedKey noAccess(closed, READ_CONTROL);

    RegKey key;
    ASSERT_EQ(key.Open(HKEY_CURRENT_USER, readable.c_str(), RegKey::ReadOnly), 1);
    EXPECT_EQ(key.ReadDwordOr(L"Value", 0), 5u);
    key.Close();
    EXPECT_EQ(key.Open(HKEY_CURRENT_USER, readable.c_str()), 0) << "the registry here enforces access rights";
    EXPECT_FALSE(key.NotFound());

    EXPECT_EQ(key.Open(HKEY_CURRENT_USER, closed.c_str(), RegKey::ReadOnly), 0);
    EXPECT_FALSE(key.NotFound());
    EXPECT_EQ(key.Open(HKEY_CURRENT_USER, SectionPath(L"Missing").c_str(), RegKey::ReadOnly), 0);
    EXPECT_TRUE(key.NotFound());

    // A list that is there but cannot be read is still the user's: no defaults over it.
    {
        LockedKey aliases(SectionPath(L"Alias"), READ_CONTROL);
        WriteDefaultAliases();
        WriteDefaultServices();
    }
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, SectionPath(L"Service")).size(), 96u);
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, SectionPath(L"Alias")), (std::vector<std::wstring>{L"Value"}));
}

}  // namespace
