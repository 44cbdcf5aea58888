// docs/settings.md stays true to the string table: every value name and registry path the
// component can use is documented.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "host/HostContext.h"

namespace {

std::string ReadReference()
{
    std::ifstream file(OPTION_SOURCE_DIR "/docs/settings.md", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Narrow(LPCWSTR text)
{
    std::string narrow;
    for (; *text; ++text) narrow += static_cast<char>(*text);
    return narrow;
}

TEST(SettingsReferenceTest, EveryValueNameAndPathIsDocumented)
{
    const std::string reference = ReadReference();
    ASSERT_FALSE(reference.empty()) << "docs/settings.md not found";
    int names = 0;
    for (UINT id = 9100; id < 9200; ++id) {
        LPCWSTR name = LoadStringPointer(hostContext.instance, id);
        if (!name) continue;
        ++names;
        const std::string text = Narrow(name);
        // Value names are quoted; paths appear inside a documented key.
        const bool isPath = text.find('\\') != std::string::npos;
        const std::string expected = isPath ? text : "\"" + text + "\"";
        EXPECT_NE(reference.find(expected), std::string::npos) << expected << " (string " << id << ") is not documented";
    }
    EXPECT_GE(names, 34);
}

}  // namespace
