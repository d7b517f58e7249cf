#include "quillane/document.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace n_quillane;

namespace {

std::wstring Repeat(std::wstring_view piece, std::size_t times) {
    std::wstring text;
    for (std::size_t i = 0; i < times; ++i) text.append(piece);
    return text;
}

} // namespace

TEST(QuillaneParse, RefusesMalformedTextWhereItGoesWrong) {
    std::wstring deep; // 257 levels, one more than a document holds
    for (std::size_t level = 0; level <= 256; ++level) deep += std::wstring(level, L' ') + L"\"\"\n";
    // Where wchar_t has 16 bits, \U stands only for units of 16 bits.
    const wchar_t* const wideEscape = sizeof(wchar_t) == 2 ? L"\"\\U0001F600\"" : L"\"\\U0001F60\"";
    const std::tuple<std::wstring, std::size_t, std::size_t> cases[] = {
        {L"", 1, 1},                                                 // no root
        {L"  \r\n\t\n", 3, 1},                                       // only blank lines: no root
        {L"\uFEFF\"root\"", 1, 1},                                   // a byte-order mark is the file's, not the text's
        {L"root", 1, 1},                                             // names are quoted
        {L"\"root\"\n    \"child\" \"a\"=\"b\n    \"next\"", 2, 17}, // an unclosed quote: at its start
        {L"\"ro\"ot\"", 1, 5},                                       // stray text after a name
        {L"\"root\" \"a\"=\"x\\qy\"", 1, 14},                        // unknown escape: at its backslash
        {L"\"root\" \"a\"=\"\\u12G4\"", 1, 13},                      // \u takes four hex digits
        {wideEscape, 1, 2},                                          // \U takes eight hex digits
        {L"\"root\"\n  \t\"child\"", 2, 3},                          // tabs do not indent, not even after spaces
        {L"\n  \"root\"", 2, 3},                                     // the root starts its line
        {L"\"root\"\n    \"a\"\n        \"b\"\n      \"c\"", 4, 7},  // back to no enclosing level
        {L"\"root\"\n  \"a\"\n\"other\"", 3, 1},                     // a second root
        {L"\"root\" \"a\" \"b\"", 1, 12},                            // an attribute without '='
        {L"\"root\"\"a\"=\"b\"", 1, 7},                              // attributes are set apart by blanks
        {L"\"root\"\r\"a\"", 1, 7},                                  // a CR alone is no line end
        {deep, 257, 257},                                            // too deep: at the name
        {L"(\"a\")(\"b\")", 1, 6},                                   // compact: a second root
        {L"(\"a\")\r\nx", 2, 1},                                     // garbage after the root
        {L"(\"a\" \"k\"=\"v\"\n(\"b\")", 2, 6},                      // ')' missing at the end
        {L"(\"a\"(\"b\") \"k\"=\"v\")", 1, 11},                      // attributes come before children
        {L"(\"a\" ())", 1, 7},                                       // an element without a name
        {L"(\"a\"\"k\"=\"v\")", 1, 5},                               // attributes are set apart by blanks
        {L"(\"a\" \"k\"=\n\"v\")", 1, 10},                           // an attribute stays on one line
        {Repeat(L"(\"\"", 257), 1, 769},                             // too deep: at the 257th '('
    };
    for (const auto& [text, line, column] : cases) {
        t_Document document;
        try {
            document.Parse(text);
            ADD_FAILURE() << "parsed " << testing::PrintToString(text);
        } catch (const t_ParseError& error) {
            EXPECT_EQ(std::pair(error.Line(), error.Column()), std::pair(line, column))
                << error.what() << " in " << testing::PrintToString(text);
            const std::string place = "line " + std::to_string(line) + ", column " + std::to_string(column) + ": ";
            EXPECT_TRUE(std::string(error.what()).starts_with(place)) << error.what();
        }
    }
}

TEST(QuillaneParse, ReadsWhatPeopleWrite) {
    // Blank lines, LF or CR LF, no last line end, any indentation step as long as siblings agree, blanks around '='
    // and between attributes; hex digits in either case; in the compact form, blanks and line breaks between tokens.
    const wchar_t* const tree = LR"("root" "a"="1" "b"="2"
    "child"
        "grandchild"
    "next"
)";
    const std::pair<std::wstring_view, const wchar_t*> cases[] = {
        {L"\"root\" \"a\" = \"1\"\t\"b\"=\"2\" \r\n \"child\"\r\n  \"grandchild\"\r\n \"next\"", tree},
        {L"\n \n\"root\" \"a\"=\"1\" \"b\"=\"2\"\r\n\r\n  \"child\"\n\t\n     \"grandchild\"\n  \"next\"\r\n\n  \n",
         tree},
        {L"\n  (\r\n\"root\" \"a\"=\"1\"\n \"b\"=\"2\" (\"child\"(\t\"grandchild\" )\n)( \"next\")\n)\n\n", tree},
        {LR"("" "x"="\u0041\u009f\U0000feff")", L"\"\" \"x\"=\"A\\u009F\\uFEFF\"\n"},
    };
    for (const auto& [text, expected] : cases) {
        t_Document document;
        document.Parse(text);
        std::wstring written = document.Serialise(document.Root());
        std::erase(written, L'\r');
        EXPECT_EQ(written, expected) << "from: " << testing::PrintToString(std::wstring(text));
    }
}

TEST(QuillaneParse, ReadsInLinearTime) {
    // Sizes far beyond real files; any step worse than linear would run into the test's time-out.
    t_Document document;
    document.Parse(L"\"\" \"\"=\"" + Repeat(L"C:\\\\Program Files\\\\\\\"x\\\" ", 100000) + L"\"\n" +
                   Repeat(L"  \"sibling\"\n", 200000) + L"  \"last\"" + Repeat(L" \"\"=\"v\"", 200000));
    EXPECT_EQ(document.AttributeByName(document.Root(), L""), Repeat(L"C:\\Program Files\\\"x\" ", 100000));
    const t_Element last = document.ChildByName(document.Root(), L"last"); // after 200000 siblings
    std::size_t attributes = 0;
    for (t_Attribute a = document.FirstAttribute(last); a != nullAttribute; a = document.NextAttribute(last, a))
        ++attributes;
    EXPECT_EQ(attributes, 200000u);
}
