// Ordinals 2 and 3 as the host calls them: seed the default lists once, never with a null
// argument.
#include <gtest/gtest.h>

#include "include/corvane_options.h"
#include "support/Fixtures.h"

namespace {


class UrlExportsTest : public SettingsTest {
protected:
    size_t ValueCount(const wchar_t* section) const
    {
        return testreg::ValueNames(HKEY_CURRENT_USER, SectionPath(section)).size();
    }
    std::wstring Stored(const wchar_t* section, const wchar_t* name) const
    {
        std::wstring text = L"<absent>";
        testreg::ReadString(HKEY_CURRENT_USER, SectionPath(section), name, &text);
        return text;
    }
};

TEST_F(UrlExportsTest, EachOrdinalSeedsItsListOnce)
{
    const struct {
        int ordinal;
        const wchar_t* section;
        size_t values;
        const wchar_t* firstName;
    } cases[] = {{2, L"Alias", 40, L"DEc"}, {3, L"Service", 96, L"  Clear URL"}};
    for (const auto& c : cases) {
        CorvaneResetListFn reset = OptionFunction<CorvaneResetListFn>(c.ordinal);
        ASSERT_NE(reset, nullptr) << c.ordinal;
        reset(vendor.c_str(), product.c_str(), L"2.1");
        EXPECT_EQ(ValueCount(c.section), c.values) << c.ordinal;
        EXPECT_EQ(Stored(c.section, L"0_Name"), c.firstName);

        testreg::WriteString(HKEY_CURRENT_USER, SectionPath(c.section), L"0_Name", L"  mine");
        testreg::WriteString(HKEY_CURRENT_USER, SectionPath(c.section), L"5_URL", L"changed");
        reset(vendor.c_str(), product.c_str(), L"2.1");
        EXPECT_EQ(Stored(c.section, L"0_Name"), L"  mine") << "a stored list is never reseeded";
        EXPECT_EQ(Stored(c.section, L"5_URL"), L"changed");
        EXPECT_EQ(ValueCount(c.section), c.values);
    }
    EXPECT_EQ(Stored(L"Service", L"26_Name"), L" S");
}

TEST_F(UrlExportsTest, NullArgumentsWriteNothing)
{
    const std::wstring v = vendor, p = product;
    for (int ordinal : {2, 3}) {
        CorvaneResetListFn reset = OptionFunction<CorvaneResetListFn>(ordinal);
        ASSERT_NE(reset, nullptr);
        reset(NULL, p.c_str(), L"2.1");
        reset(v.c_str(), NULL, L"2.1");
        reset(v.c_str(), p.c_str(), NULL);
        EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, SettingsPath())) << ordinal;
    }
}

}  // namespace
