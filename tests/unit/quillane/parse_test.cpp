#include "quillane/document.h"

#include <gtest/gtest.h>

#include <string>

using namespace n_quillane;

namespace {

struct t_BadText {
    const wchar_t* text;
    std::size_t line;
    std::size_t column;
};

// Parses text that must be refused at line:column, with the place in the message too.
void ExpectRefusedAt(std::wstring_view text, std::size_t line, std::size_t column) {
    t_Document document;
    try {
        document.Parse(text);
        ADD_FAILURE() << "parsed";
    } catch (const t_ParseError& error) {
        EXPECT_EQ(error.Line(), line) << error.what();
        EXPECT_EQ(error.Column(), column) << error.what();
        const std::string place = "line " + std::to_string(line) + ", column " + std::to_string(column) + ": ";
        EXPECT_EQ(std::string(error.what()).rfind(place, 0), 0u) << error.what();
    }
}

std::wstring Repeat(std::wstring_view piece, std::size_t times) {
    std::wstring text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) text.append(piece);
    return text;
}

} // namespace

TEST(QuillaneParse, RefusesMalformedIndentedTextWhereItGoesWrong) {
    const t_BadText cases[] = {
        {L"", 1, 1},                                                 // no root
        {L"  \r\n\t\n", 3, 1},                                       // only blank lines: no root
        {L"\uFEFF\"root\"", 1, 1},                                   // a byte-order mark is the file's, not the text's
        {L"root", 1, 1},                                             // names are quoted
        {L"\"root\" \"a\"=\"b", 1, 12},                              // unterminated quote: at its opening
        {L"\"root\"\n    \"child\" \"a\"=\"b\n    \"next\"", 2, 17}, // ... which ends at the line's end
        {L"\"ro\"ot\"", 1, 5},                                       // stray text after a name
        {L"\"root\" \"a\"=\"x\\qy\"", 1, 14},                        // unknown escape: at its backslash
        {L"\"root\" \"a\"=\"\\u12G4\"", 1, 13},                      // \u takes four hex digits
        {L"\"r\\u12\"", 1, 3},                                       // ... even at the end of the quote
        {L"\"r\\U0000263\"", 1, 3},                                  // \U takes eight
        {L"\"r\\", 1, 3},                                            // a backslash ending the text
        {L"\"root\"\n\t\"child\"", 2, 1},                            // tabs do not indent
        {L"\"root\"\n  \t\"child\"", 2, 3},                          // not even after spaces
        {L"\n  \"root\"", 2, 3},                                     // the root starts its line
        {L"\"root\"\n    \"a\"\n        \"b\"\n      \"c\"", 4, 7},  // back to no enclosing level
        {L"\"root\"\n  \"a\"\n\"other\"", 3, 1},                     // a second root
        {L"\"root\" \"a\"=\"b\" x", 1, 16},                          // garbage after the attributes
        {L"\"root\" \"a\" \"b\"", 1, 12},                            // an attribute without '='
        {L"\"root\" \"a\"=b", 1, 12},                                // a value without quotes
        {L"\"root\"\"a\"=\"b\"", 1, 7},                              // attributes are set apart by blanks
        {L"\"root\"\r\"a\"", 1, 7},                                  // a CR alone is no line end
        {L"\"root\" \"a\"=\"b\"\r", 1, 15},                          // not even at the end of the text
    };
    for (const t_BadText& bad : cases) {
        SCOPED_TRACE(testing::Message() << "text #" << (&bad - cases));
        ExpectRefusedAt(bad.text, bad.line, bad.column);
    }
}

TEST(QuillaneParse, RefusesMalformedCompactTextWhereItGoesWrong) {
    const t_BadText cases[] = {
        {L"(\"a\")(\"b\")", 1, 6},              // a second root
        {L"(\"a\")\r\nx", 2, 1},                // garbage after the root
        {L"(\"a\" \"k\"=\"v\"\n(\"b\")", 2, 6}, // ')' missing at the end
        {L"(\"a\"(\"b\") \"k\"=\"v\")", 1, 11}, // attributes come before children
        {L"(\"a\" ())", 1, 7},                  // an element without a name
        {L"(\"a\" x)", 1, 6},                   // garbage inside
        {L"(\"a\"\"k\"=\"v\")", 1, 5},          // attributes are set apart by blanks
        {L"(\"a\" \"k\"=\n\"v\")", 1, 10},      // an attribute stays on one line
        {L"(\"a\" \"k\"=\"v\r\n\")", 1, 10},    // so does a quote
        {L"(\"a\" \"k\"=\"\\x41\")", 1, 11},    // unknown escape
    };
    for (const t_BadText& bad : cases) {
        SCOPED_TRACE(testing::Message() << "text #" << (&bad - cases));
        ExpectRefusedAt(bad.text, bad.line, bad.column);
    }
}

TEST(QuillaneParse, NestsAtMost256Levels) {
    std::wstring indented;
    std::wstring compact;
    for (std::size_t level = 0; level < 256; ++level) {
        indented += std::wstring(level, L' ') + L"\"\"\n";
        compact += L"(\"\"";
    }
    compact += std::wstring(256, L')');
    t_Document document;
    document.Parse(indented);
    document.Parse(compact);
    t_Element deepest = document.Root();
    for (int level = 1; level < 256; ++level) deepest = document.FirstChild(deepest);
    EXPECT_NE(deepest, nullElement);
    EXPECT_EQ(document.FirstChild(deepest), nullElement);

    // One more is refused where it starts: the 257th line, or the 257th '(' (three units per level).
    ExpectRefusedAt(indented + std::wstring(256, L' ') + L"\"\"", 257, 257);
    ExpectRefusedAt(L"(\"\"" + compact + L")", 1, 769);
    // Far deeper text is refused the same way, without using the stack.
    ExpectRefusedAt(Repeat(L"(\"\"", 1000000), 1, 769);
}

TEST(QuillaneParse, AcceptsLfAndCrLfBlankLinesAndAMissingLastLineEnd) {
    const std::wstring expected = L"\"root\" \"a\"=\"1\"\r\n    \"child\" \"b\"=\"2\"\r\n    \"next\"\r\n";
    const wchar_t* const texts[] = {
        L"\"root\" \"a\"=\"1\"\n  \"child\" \"b\"=\"2\"\n  \"next\"\n",
        L"\"root\" \"a\"=\"1\"\r\n  \"child\" \"b\"=\"2\"\r\n  \"next\"",
        L"\n \n\"root\" \"a\"=\"1\" \t\r\n\r\n  \"child\"  \"b\"=\"2\"\n\t\n  \"next\"\r\n\n  \n",
        L"(\"root\" \"a\"=\"1\" (\"child\" \"b\"=\"2\") (\"next\"))",
    };
    for (const wchar_t* text : texts) {
        t_Document document;
        document.Parse(text);
        EXPECT_EQ(document.Serialise(document.Root()), expected) << "from: " << testing::PrintToString(text);
    }
}

TEST(QuillaneParse, LongTextsAndManySiblingsAndAttributes) {
    // Sizes far beyond real files; any step worse than linear would run into the test's time-out.
    const std::wstring value = Repeat(L"C:\\\\Program Files\\\\\\\"x\\\" ", 100000);
    const std::wstring text = L"\"" + std::wstring(1000000, L'n') + L"\" \"\"=\"" + value + L"\"\n" +
                              Repeat(L"  \"sibling\"\n", 50000) + L"  \"last\"" + Repeat(L" \"\"=\"v\"", 50000);
    t_Document document;
    document.Parse(text);
    EXPECT_EQ(document.Name(document.Root()).size(), 1000000u);
    EXPECT_EQ(document.AttributeByName(document.Root(), L""), Repeat(L"C:\\Program Files\\\"x\" ", 100000));
    std::size_t siblings = 0;
    t_Element last = nullElement;
    for (t_Element e = document.FirstChild(document.Root()); e != nullElement; e = document.NextSibling(e)) {
        ++siblings;
        last = e;
    }
    EXPECT_EQ(siblings, 50001u);
    EXPECT_EQ(document.ChildByName(document.Root(), L"last"), last);
    std::size_t attributes = 0;
    for (t_Attribute a = document.FirstAttribute(last); a != nullAttribute; a = document.NextAttribute(last, a)) {
        ++attributes;
    }
    EXPECT_EQ(attributes, 50000u);
}
