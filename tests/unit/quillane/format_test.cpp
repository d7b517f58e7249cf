#include "quillane/document.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

using namespace n_quillane;

namespace {

std::wstring Units(std::initializer_list<std::uint32_t> units) {
    std::wstring text;
    for (std::uint32_t unit : units) text.push_back(static_cast<wchar_t>(unit));
    return text;
}

// A document as a flat list in document order, for comparing whole trees.
struct t_Entry {
    std::size_t depth;
    bool attribute;
    std::wstring name;
    std::wstring value;
    friend bool operator==(const t_Entry&, const t_Entry&) = default;
};

void Flatten(const t_Document& document, t_Element element, std::size_t depth, std::vector<t_Entry>& entries) {
    entries.push_back({depth, false, std::wstring(document.Name(element)), {}});
    for (t_Attribute a = document.FirstAttribute(element); a != nullAttribute; a = document.NextAttribute(element, a)) {
        entries.push_back({depth, true, std::wstring(document.Name(a)), std::wstring(document.Value(a))});
    }
    for (t_Element child = document.FirstChild(element); child != nullElement; child = document.NextSibling(child)) {
        Flatten(document, child, depth + 1, entries);
    }
}

std::vector<t_Entry> Flatten(const t_Document& document) {
    std::vector<t_Entry> entries;
    if (document.Root() != nullElement) Flatten(document, document.Root(), 0, entries);
    return entries;
}

// The history document used by the golden tests: quotes, backslashes, spaces, an empty name, a tab, a line break.
t_Document MakeHistory() {
    t_Document document;
    const t_Element root = document.CreateRoot(L"Ombrix History");
    const t_Element standard = document.AppendChild(root, L"default executor");
    document.AddAttribute(standard, L"", L"\"C:\\Program Files\\App\\app.exe\" --flag value");
    document.AddAttribute(standard, L"", L"https://example.org/search?q=a b");
    const t_Element custom = document.AppendChild(root, L"custom executors");
    const t_Element editor = document.AppendChild(custom, L"Editor");
    document.AddAttribute(editor, L"", L"code .");
    const t_Element unnamed = document.AppendChild(custom, L"");
    document.AddAttribute(unnamed, L"tab", L"a\tb");
    document.AddAttribute(unnamed, L"line", L"1\r\n2");
    document.Finish();
    return document;
}

constexpr const wchar_t* historyIndented = LR"qln("Ombrix History"
    "default executor" ""="\"C:\\Program Files\\App\\app.exe\" --flag value" ""="https://example.org/search?q=a b"
    "custom executors"
        "Editor" ""="code ."
        "" "tab"="a\tb" "line"="1\r\n2"
)qln";

constexpr const wchar_t* historyCompact =
    LR"qln(("Ombrix History"("default executor" ""="\"C:\\Program Files\\App\\app.exe\" --flag value" )qln"
    LR"qln(""="https://example.org/search?q=a b")("custom executors"("Editor" ""="code .")("" "tab"="a\tb" )qln"
    LR"qln("line"="1\r\n2"))))qln";

std::wstring WithCrLf(std::wstring_view text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\n') out.push_back(L'\r');
        out.push_back(c);
    }
    return out;
}

// Text biased towards what needs escaping: every control, quotes, backslashes, the format's own punctuation,
// surrogates in any order, the units editors treat specially, and any other 16-bit unit.
std::wstring RandomText(std::mt19937& random) {
    const std::uint32_t length = random() % 5 == 0 ? 0 : random() % 24;
    std::wstring text;
    for (std::uint32_t i = 0; i < length; ++i) {
        std::uint32_t unit = 0;
        switch (random() % 6) {
        case 0:
            unit = 0x20 + random() % 0x5F;
            break;
        case 1:
            unit = random() % 2 == 0 ? random() % 0x20 : 0x7F + random() % 0x21;
            break;
        case 2:
            unit = std::wstring_view(L"\"\\=() \t\r\n#")[random() % 10];
            break;
        case 3:
            unit = 0xD800 + random() % 0x800;
            break;
        case 4:
            unit = std::initializer_list<std::uint32_t>{0xFEFF, 0xFFFE, 0xFFFF, 0x2028, 0x2029}.begin()[random() % 5];
            break;
        default:
            unit = random() % 0x10000;
            break;
        }
        text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
}

t_Document RandomDocument(std::mt19937& random) {
    t_Document document;
    std::vector<std::pair<t_Element, std::size_t>> elements{{document.CreateRoot(RandomText(random)), 1}};
    const std::uint32_t count = random() % 40;
    for (std::uint32_t i = 0; i < count; ++i) {
        // Mostly under a recent element, so that trees get deep as well as wide.
        const std::size_t pick = random() % 2 == 0
                                     ? elements.size() - 1 - random() % std::min<std::size_t>(3, elements.size())
                                     : random() % elements.size();
        const auto [parent, depth] = elements[pick];
        if (depth < 256) elements.emplace_back(document.AppendChild(parent, RandomText(random)), depth + 1);
        const std::uint32_t attributes = random() % 4;
        for (std::uint32_t a = 0; a < attributes; ++a) {
            document.AddAttribute(elements[random() % elements.size()].first, RandomText(random), RandomText(random));
        }
    }
    document.Finish();
    return document;
}

} // namespace

TEST(QuillaneFormat, IndentedFormIsOneElementPerLineWithCrLf) {
    const t_Document document = MakeHistory();
    EXPECT_EQ(document.Serialise(document.Root()), WithCrLf(historyIndented));
    // Any element can be written as the root of a document of its own.
    const t_Element custom = document.ChildByName(document.Root(), L"custom executors");
    EXPECT_EQ(document.Serialise(custom), WithCrLf(LR"qln("custom executors"
    "Editor" ""="code ."
    "" "tab"="a\tb" "line"="1\r\n2"
)qln"));
}

TEST(QuillaneFormat, CompactFormNestsInParenthesesOnOneLine) {
    const t_Document document = MakeHistory();
    EXPECT_EQ(document.SerialiseCompact(document.Root()), std::wstring(historyCompact) + L"\r\n");
    const t_Element editor =
        document.ChildByName(document.ChildByName(document.Root(), L"custom executors"), L"Editor");
    EXPECT_EQ(document.SerialiseCompact(editor), L"(\"Editor\" \"\"=\"code .\")\r\n");
}

TEST(QuillaneFormat, EscapesEveryUnitThatIsNotPlainlyVisible) {
    const std::wstring pair = Units({0xD83D, 0xDE00});
    const std::wstring value =
        Units({'"',    '\\',   '\n',   '\r',   '\t',   0,      0x01, 0x1F,   0x7F,   0x80,   0x9F,
               0x2028, 0x2029, 0xFEFF, 0xFFFE, 0xFFFF, 0xD800, 'a',  0xDC00, 0xDC00, 0xD800, 'x'}) +
        pair + Units({0xE9, 0x20AC, ' ', '~', '=', '(', 0xD801});
    const std::wstring escaped = LR"("\"\\\n\r\t\u0000\u0001\u001F\u007F\u0080\u009F\u2028\u2029\uFEFF\uFFFE\uFFFF)"
                                 LR"(\uD800a\uDC00\uDC00\uD800x)" +
                                 pair + Units({0xE9, 0x20AC}) + LR"( ~=(\uD801")";

    t_Document document;
    const t_Element root = document.CreateRoot(value);
    document.AddAttribute(root, value, value);
    document.Finish();
    EXPECT_EQ(document.Serialise(root), escaped + L" " + escaped + L"=" + escaped + L"\r\n");

    for (const std::wstring& text : {document.Serialise(root), document.SerialiseCompact(root)}) {
        t_Document reread;
        reread.Parse(text);
        EXPECT_EQ(reread.Name(reread.Root()), value);
        EXPECT_EQ(reread.Name(reread.FirstAttribute(reread.Root())), value);
        EXPECT_EQ(reread.Value(reread.FirstAttribute(reread.Root())), value);
    }
}

TEST(QuillaneFormat, UnitsBeyondSixteenBitsAreEscapedWhereWcharTHoldsThem) {
    if constexpr (sizeof(wchar_t) == 2) {
        // Windows: no wchar_t is wider than a UTF-16 unit, so \U can only stand for one of 16 bits.
        t_Document document;
        document.Parse(LR"("\U0000263A")");
        EXPECT_EQ(document.Name(document.Root()), L"\u263A");
        EXPECT_THROW(document.Parse(LR"("\U0001F600")"), t_ParseError);
    } else {
        // A 32-bit wchar_t (the native build) can hold more; such units never occur in our texts, but they must
        // come back as they were.
        const std::wstring wide =
            Units({0x1F600, 'a', 0x10FFFF, 0x7FFFFFFF}) + std::wstring(1, static_cast<wchar_t>(-1));
        t_Document document;
        document.AddAttribute(document.CreateRoot(L"wide"), L"", wide);
        document.Finish();
        EXPECT_EQ(document.Serialise(document.Root()), LR"("wide" ""="\U0001F600a\U0010FFFF\U7FFFFFFF\UFFFFFFFF")"
                                                       L"\r\n");
        t_Document reread;
        reread.Parse(document.SerialiseCompact(document.Root()));
        EXPECT_EQ(reread.Value(reread.FirstAttribute(reread.Root())), wide);
    }
}

TEST(QuillaneFormat, HandWrittenIndentedTextParsesAsDocumented) {
    // What docs/qln-format.md allows people to write: blank lines, LF or CR LF, any indentation step as long as
    // siblings agree, blanks around '=' and between attributes, escapes in either case.
    const std::wstring text = L"\r\n"
                              L"\"Ombrix Configuration\" \"version\"=\"3\"   \"hotkey\" = \"Win+Space\"\t\r\n"
                              L"  \"colors\"\n"
                              L"     \"background\"\t\"r\"=\"0\" \"g\"=\"\\u0041\\u00e9\" \"b\"=\"255\"\n"
                              L"   \t \n"
                              L"     \"text\" \"r\"=\"255\"\n"
                              L"  \"pinned\" \"\"=\"C:\\\\Tools\\\\a.exe\"  \n"
                              L"        \"\" \"\"=\"\\U0000263A\" \"\"=\"\"";
    t_Document document;
    document.Parse(text);
    const std::vector<t_Entry> expected{
        {0, false, L"Ombrix Configuration", L""},
        {0, true, L"version", L"3"},
        {0, true, L"hotkey", L"Win+Space"},
        {1, false, L"colors", L""},
        {2, false, L"background", L""},
        {2, true, L"r", L"0"},
        {2, true, L"g", L"A\u00E9"},
        {2, true, L"b", L"255"},
        {2, false, L"text", L""},
        {2, true, L"r", L"255"},
        {1, false, L"pinned", L""},
        {1, true, L"", L"C:\\Tools\\a.exe"},
        {2, false, L"", L""},
        {2, true, L"", L"\u263A"},
        {2, true, L"", L""},
    };
    EXPECT_EQ(Flatten(document), expected);
}

TEST(QuillaneFormat, HandWrittenCompactTextParsesAsDocumented) {
    // Blanks and line breaks may stand between the tokens of the compact form.
    t_Document document;
    document.Parse(L"\n  (\r\n  \"scheme\" \"name\"=\"Dusk\"\n"
                   L"  (\"color\"\t\"r\"=\"1\")\n"
                   L"  ( \"color\"  \"r\" = \"2\" )\n"
                   L")\n\n");
    const std::vector<t_Entry> expected{
        {0, false, L"scheme", L""}, {0, true, L"name", L"Dusk"}, {1, false, L"color", L""},
        {1, true, L"r", L"1"},      {1, false, L"color", L""},   {1, true, L"r", L"2"},
    };
    EXPECT_EQ(Flatten(document), expected);
}

TEST(QuillaneFormat, RandomTreesComeBackExactlyFromBothForms) {
    std::mt19937 random(0x51A7E); // fixed start value: the same trees on every run and platform
    for (int round = 0; round < 300; ++round) {
        const t_Document document = RandomDocument(random);
        const std::vector<t_Entry> tree = Flatten(document);
        const std::wstring indented = document.Serialise(document.Root());
        const std::wstring compact = document.SerialiseCompact(document.Root());
        for (const std::wstring* text : {&indented, &compact}) {
            t_Document reread;
            ASSERT_NO_THROW(reread.Parse(*text)) << "round " << round;
            ASSERT_EQ(Flatten(reread), tree) << "round " << round;
            EXPECT_EQ(reread.Serialise(reread.Root()), indented);
            EXPECT_EQ(reread.SerialiseCompact(reread.Root()), compact);
        }
    }
}
