#include "quillane/document.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

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

// The launch history of docs/qln-format.md: quotes, backslashes, spaces, an empty name, a tab, a line break.
constexpr std::wstring_view historyIndented = LR"qln("Ombrix History"
    "default executor" ""="\"C:\\Program Files\\App\\app.exe\" --flag value" ""="https://example.org/search?q=a b"
    "custom executors"
        "Editor" ""="code ."
        "" "tab"="a\tb" "line"="1\r\n2"
)qln";
constexpr std::wstring_view historyCompact =
    LR"qln(("Ombrix History"("default executor" ""="\"C:\\Program Files\\App\\app.exe\" --flag value" )qln"
    LR"qln(""="https://example.org/search?q=a b")("custom executors"("Editor" ""="code .")("" "tab"="a\tb" )qln"
    LR"qln("line"="1\r\n2"))))qln"
    L"\r\n";

// Text biased towards what needs escaping: the format's punctuation, controls, surrogates in any order, the units
// editors treat specially, and any other unit (wider than 16 bits too, where wchar_t holds that).
std::wstring RandomText(std::mt19937& random) {
    constexpr std::wstring_view special = L"\"\\=() \t\r\n\u2028\u2029\uFEFF\uFFFE\uFFFF";
    const std::size_t length = random() % 5 == 0 ? 0 : random() % 24;
    std::wstring text;
    while (text.size() < length) {
        const std::uint32_t kind = random() % 6;
        const std::uint32_t value = random();
        text.push_back(static_cast<wchar_t>(kind == 0   ? 0x20 + value % 0x5F // printable ASCII
                                            : kind == 1 ? value % 0xA0        // C0, DEL and C1 among them
                                            : kind == 2 ? special[value % special.size()]
                                            : kind == 3 ? 0xD800 + value % 0x800 // surrogates, paired or not
                                            : kind == 4 ? value % 0x10000
                                                        : value));
    }
    return text;
}

} // namespace

TEST(QuillaneFormat, WritesOneElementALineIndentedOrAllInParentheses) {
    t_Document document;
    document.Parse(historyIndented);
    std::wstring indented = document.Serialise(document.Root());
    EXPECT_EQ(std::erase(indented, L'\r'), 5u); // CR LF ends every line
    EXPECT_EQ(indented, historyIndented);
    EXPECT_EQ(document.SerialiseCompact(document.Root()), historyCompact);
    // Any element can be written as the root of a document of its own.
    const t_Element editor = document.FirstChild(document.ChildByName(document.Root(), L"custom executors"));
    EXPECT_EQ(document.Serialise(editor), L"\"Editor\" \"\"=\"code .\"\r\n");
    EXPECT_EQ(document.SerialiseCompact(editor), L"(\"Editor\" \"\"=\"code .\")\r\n");
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
    const t_Element root = document.CreateRoot(value);
    document.AddAttribute(root, value, value);
    document.Finish();
    EXPECT_EQ(document.Serialise(root), escaped + L" " + escaped + L"=" + escaped + L"\r\n");
}

TEST(QuillaneFormat, RandomTreesComeBackExactlyFromBothForms) {
    std::mt19937 random(0x51A7E); // fixed start value: the same trees on every run
    for (int round = 0; round < 300; ++round) {
        // Up to 40 elements, mostly under one of the last three so that trees get deep as well as wide.
        t_Document document;
        std::vector<t_Element> elements{document.CreateRoot(RandomText(random))};
        for (std::uint32_t count = random() % 40; count > 0; --count) {
            const std::size_t recent = elements.size() - 1 - random() % std::min<std::size_t>(3, elements.size());
            const t_Element parent = elements[random() % 2 == 0 ? recent : random() % elements.size()];
            elements.push_back(document.AppendChild(parent, RandomText(random)));
            for (std::uint32_t attributes = random() % 4; attributes > 0; --attributes)
                document.AddAttribute(elements[random() % elements.size()], RandomText(random), RandomText(random));
        }
        document.Finish();
        const std::wstring indented = document.Serialise(document.Root());
        const std::wstring compact = document.SerialiseCompact(document.Root());
        for (const std::wstring* text : {&indented, &compact}) {
            t_Document reread;
            ASSERT_NO_THROW(reread.Parse(*text)) << "round " << round;
            ASSERT_EQ(Dump(reread, reread.Root()), Dump(document, document.Root())) << "round " << round;
            EXPECT_EQ(reread.Serialise(reread.Root()), indented);
            EXPECT_EQ(reread.SerialiseCompact(reread.Root()), compact);
        }
    }
}
