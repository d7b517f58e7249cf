#include "quillane/document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace n_quillane;
using namespace std::literals;

namespace {

// The tree through the look-ups, each text after its length: a form of its own, for comparing whole documents.
std::wstring Dump(const t_Document& document, t_Element element) {
    const auto text = [](std::wstring_view t) { return std::to_wstring(t.size()) + L":" + std::wstring(t); };
    std::wstring out = L"(" + text(document.Name(element));
    for (t_Attribute a = document.FirstAttribute(element); a != nullAttribute; a = document.NextAttribute(element, a))
        out += L" " + text(document.Name(a)) + L"=" + text(document.Value(a));
    for (t_Element c = document.FirstChild(element); c != nullElement; c = document.NextSibling(c))
        out += Dump(document, c);
    return out + L")";
}

// Where reading the text stops, as the error gives it; (0, 0) when the text is read.
std::pair<std::size_t, std::size_t> ErrorPlace(std::wstring_view text) {
    try {
        t_Document().Parse(text);
    } catch (const t_ParseError& error) {
        return {error.Line(), error.Column()};
    }
    return {0, 0};
}

} // namespace

TEST(QuillaneDocument, KeepsDataOrderAndGivesNothingForNullOrForeignHandles) {
    t_Document document;
    const t_Element root = document.CreateRoot(L"root");
    const t_Element colors = document.AppendChild(root, L"colors");
    const t_Element list = document.AppendChild(root, L"pinned");
    // Attributes and children of different elements interleaved: each element still lists only its own, in order.
    document.AddAttribute(root, L"version", L"1");
    document.AddAttribute(list, L"", L"notepad.exe");
    document.AddAttribute(document.AppendChild(colors, L"background"), L"r", L"12");
    document.AddAttribute(root, L"version", L"2");
    document.AddAttribute(list, L"", L"https://example.org/");
    document.AppendChild(root, L"colors");
    EXPECT_EQ(Dump(document, root), L"(4:root 7:version=1:1 7:version=1:2(6:colors(10:background 1:r=2:12))"
                                    L"(6:pinned 0:=11:notepad.exe 0:=20:https://example.org/)(6:colors))");
    // Look-ups by name find the first exact, case-sensitive match.
    EXPECT_EQ(document.ChildByName(root, L"colors"), colors);
    EXPECT_EQ(document.ChildByName(root, L"Colors"), nullElement);
    EXPECT_EQ(document.AttributeByName(root, L"version"), L"1");

    // Handles this document does not have (null, or just past the last) give nothing.
    EXPECT_EQ(Dump(document, t_Element{5}) + Dump(document, nullElement), L"(0:)(0:)");
    EXPECT_EQ(document.NextSibling(t_Element{5}), nullElement);
    EXPECT_EQ(std::wstring(document.Name(t_Attribute{5})) + std::wstring(document.Value(nullAttribute)), L"");
    EXPECT_EQ(document.NextAttribute(root, t_Attribute{5}), nullAttribute);
    EXPECT_EQ(document.NextAttribute(list, document.FirstAttribute(root)), nullAttribute); // not list's attribute
    // A moved-from document is empty, and can be built again.
    const t_Document moved = std::move(document);
    EXPECT_EQ(document.Root(), nullElement); // NOLINT(bugprone-use-after-move): that is the point
    EXPECT_EQ(document.Name(document.CreateRoot(L"again")), L"again");
}

TEST(QuillaneDocument, BuildingOutOfOrderIsAUsageError) {
    t_Document document;
    EXPECT_THROW(document.Finish(), t_UsageError);
    const t_Element root = document.CreateRoot(L"root");
    EXPECT_THROW(document.CreateRoot(L"root"), t_UsageError);
    EXPECT_THROW(document.AppendChild(t_Element{7}, L"x"), t_UsageError);
    EXPECT_THROW(document.Serialise(root), t_UsageError);
    // 256 levels are the most a document holds; the reader refuses more, so the writer never makes more.
    t_Element deepest = root;
    for (int level = 2; level <= 256; ++level) deepest = document.AppendChild(deepest, L"");
    EXPECT_THROW(document.AppendChild(deepest, L""), t_UsageError);
    document.AddAttribute(deepest, L"still", L"fine");
    document.Finish();
    EXPECT_THROW(document.AddAttribute(root, L"late", L""), t_UsageError);
    EXPECT_THROW(document.SerialiseCompact(t_Element{100000}), t_UsageError);
    for (const std::wstring& text : {document.Serialise(root), document.SerialiseCompact(root)}) {
        t_Document reread;
        reread.Parse(text);
        EXPECT_EQ(reread.AttributeByName(t_Element{255}, L"still"), L"fine");
        EXPECT_THROW(reread.AppendChild(reread.Root(), L"x"), t_UsageError); // a parsed document is finished
    }
}

TEST(QuillaneDocument, TextsMayComeFromTheDocumentItself) {
    // Even when its buffer moves as it grows, and the heap gives the old one back to the system (sanitizers do not
    // see wide-character copies), so that a copy from it would fault.
    t_Document large;
    const std::wstring big(300000, L'q');
    const t_Element root = large.CreateRoot(big);
    const t_Attribute copy = large.AddAttribute(root, large.Name(root), large.Name(root));
    large.AppendChild(root, large.Value(copy));
    EXPECT_TRUE(large.Name(copy) == big && large.Value(copy) == big && large.Name(large.FirstChild(root)) == big);
    // Parse leaves the document as it was on an error; the text may be a value of the document it replaces.
    t_Document document;
    document.Parse(LR"("outer" "inner"="\"inner root\" \"k\"=\"v\"")");
    EXPECT_THROW(document.Parse(L"\"second\" \"a\"=\"2"), t_ParseError);
    document.Parse(document.AttributeByName(document.Root(), L"inner"));
    EXPECT_EQ(Dump(document, document.Root()), L"(10:inner root 1:k=1:v)");
}

// Blanks in the text read give way to four per level, down and back up; any element can be written as the root of a
// document of its own, without its siblings.
TEST(QuillaneFormat, WritesOneElementALineIndentedOrAllInParenthesesFromAnyElement) {
    t_Document document;
    document.Parse(L"\"root\"\n  \"a\"\n    \"b\" \"k\"=\"v\"\n  \"c\"");
    const t_Element root = document.Root(), a = document.FirstChild(root);
    EXPECT_EQ(document.Serialise(root), L"\"root\"\r\n    \"a\"\r\n        \"b\" \"k\"=\"v\"\r\n    \"c\"\r\n");
    EXPECT_EQ(document.SerialiseCompact(root), L"(\"root\"(\"a\"(\"b\" \"k\"=\"v\"))(\"c\"))\r\n");
    EXPECT_EQ(document.Serialise(a), L"\"a\"\r\n    \"b\" \"k\"=\"v\"\r\n");
    EXPECT_EQ(document.SerialiseCompact(a), L"(\"a\"(\"b\" \"k\"=\"v\"))\r\n");
}

TEST(QuillaneFormat, EscapesEveryUnitThatIsNotPlainlyVisible) {
    // Escaped: controls, the quote and the backslash, lone surrogates, what editors take for line breaks or a
    // byte-order mark, and the non-characters. A surrogate pair and other units stand as they are.
    const std::wstring visible = L"\xD83D\xDE00\xE9\u20AC\xA0 ~(";
    const std::wstring value =
        L"\"\\\n\r\t\0\x1F\x7F\x80\x9F\u2028\u2029\uFEFF\uFFFE\uFFFF\xD800z\xDC00\xDC00\xD800x"s + visible + L"\xD801";
    const std::wstring escaped =
        LR"("\"\\\n\r\t\u0000\u001F\u007F\u0080\u009F\u2028\u2029\uFEFF\uFFFE\uFFFF\uD800z\uDC00\uDC00\uD800x)" +
        visible + LR"(\uD801")";
    t_Document document;
    document.AddAttribute(document.CreateRoot(value), L"", value);
    document.Finish();
    EXPECT_EQ(document.Serialise(document.Root()), escaped + L" \"\"=" + escaped + L"\r\n");
}

// Each text marks with '|' the line and column where reading it stops, as the error gives them.
TEST(QuillaneParse, RefusesMalformedTextWhereItGoesWrong) {
    std::wstring deep, compactDeep; // 257 levels, one more than a document holds: too deep at the last name
    for (std::size_t level = 0; level <= 256; ++level) {
        deep += std::wstring(level, L' ') + (level == 256 ? L"|\"\"" : L"\"\"\n");
        compactDeep += level == 256 ? L"|(\"\"" : L"(\"\"";
    }
    // Where wchar_t has 16 bits, \U stands only for units of 16 bits.
    const wchar_t* const wideEscape = sizeof(wchar_t) == 2 ? LR"("|\U0001F600")" : LR"("|\U0001F60")";
    const std::wstring cases[] = {
        // No root; a byte-order mark is the file's, not the text's; names are quoted; an unclosed quote, at its
        // start; stray text after a name.
        L"|", L"|\uFEFF\"root\"", L"|root", L"\"root\"\n    \"child\" \"a\"=|\"b\n    \"next\"", LR"("ro"|ot")",
        // An unknown escape, at its backslash; \u takes four hex digits, \U eight.
        LR"("root" "a"="x|\qy")", LR"("root" "a"="|\u12G4")", wideEscape,
        // Tabs do not indent, not even after spaces; the root starts its line; back to no enclosing level; a
        // second root; an attribute without '='; attributes are set apart by blanks; a CR alone is no line end.
        L"\"root\"\n  |\t\"child\"", L"\n  |\"root\"", L"\"root\"\n    \"a\"\n        \"b\"\n      |\"c\"",
        L"\"root\"\n  \"a\"\n|\"other\"", LR"("root" "a" |"b")", LR"("root"|"a"="b")", L"\"root\"|\r\"a\"", deep,
        // Compact: a second root; ')' missing at the end; attributes come before children; an element without
        // a name; attributes are set apart by blanks; an attribute stays on one line.
        LR"(("a")|("b"))", L"(\"a\" \"k\"=\"v\"\n(\"b\")|", LR"(("a"("b") |"k"="v"))", LR"(("a" (|)))",
        LR"(("a"|"k"="v"))", L"(\"a\" \"k\"=|\n\"v\")", compactDeep};
    for (const std::wstring& marked : cases) {
        const std::size_t at = marked.find(L'|'), lineStart = marked.rfind(L'\n', at) + 1; // 0 on the first line
        const std::size_t line = 1 + std::count(marked.begin(), marked.begin() + at, L'\n');
        EXPECT_EQ(ErrorPlace(marked.substr(0, at) + marked.substr(at + 1)), std::pair(line, at - lineStart + 1))
            << testing::PrintToString(marked);
    }
    EXPECT_STREQ(t_ParseError("no root", 3, 1).what(), "line 3, column 1: no root");
}

TEST(QuillaneParse, ReadsWhatPeopleWrite) {
    // Blank lines, LF or CR LF, no last line end, any indentation step as long as siblings agree, blanks around '='
    // and between attributes; hex digits in either case; in the compact form, blanks and line breaks between tokens.
    const wchar_t* const tree = L"(4:root 1:a=1:1 1:b=1:2(5:child(10:grandchild))(4:next))";
    const std::pair<std::wstring_view, const wchar_t*> cases[] = {
        {L"\"root\" \"a\" = \"1\"\t\"b\"=\"2\" \r\n \"child\"\r\n  \"grandchild\"\r\n \"next\"", tree},
        {L"\n \n\"root\" \"a\"=\"1\" \"b\"=\"2\"\r\n\r\n  \"child\"\n\t\n     \"grandchild\"\n  \"next\"\r\n\n  \n",
         tree},
        {L"\n  (\r\n\"root\" \"a\"=\"1\"\n \"b\"=\"2\" (\"child\"(\t\"grandchild\" )\n)( \"next\")\n)\n\n", tree},
        {LR"("" "x"="\u0041\u009f\U0000feff")", L"(0: 1:x=3:A\x9F\uFEFF)"},
    };
    for (const auto& [text, expected] : cases) {
        t_Document document;
        document.Parse(text);
        EXPECT_EQ(Dump(document, document.Root()), expected) << "from: " << testing::PrintToString(std::wstring(text));
    }
}
