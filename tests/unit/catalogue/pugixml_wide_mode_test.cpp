// Package manifests are read with pugixml built for wide characters. This checks that the build really is the wide
// one and that encodings are detected from the document.

#include <pugixml.hpp>

#include <gtest/gtest.h>

#include <string>

TEST(PugixmlWideMode, ReadsUtf8AndUtf16ManifestsIntoWideStrings) {
    const std::string utf8 = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                             "<Package><Properties><DisplayName>Caf\xC3\xA9</DisplayName></Properties></Package>";
    pugi::xml_document document;
    ASSERT_TRUE(document.load_buffer(utf8.data(), utf8.size()));
    const pugi::char_t* name = document.child(L"Package").child(L"Properties").child(L"DisplayName").text().get();
    EXPECT_EQ(std::wstring(name), L"Caf\u00E9");

    const std::u16string utf16 = u"\uFEFF<Package Name=\"\u65E5\u672C\"/>";
    ASSERT_TRUE(document.load_buffer(utf16.data(), utf16.size() * sizeof(char16_t)));
    EXPECT_EQ(std::wstring(document.child(L"Package").attribute(L"Name").value()), L"\u65E5\u672C");
}
