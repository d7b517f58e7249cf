#include "quillane/document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace n_quillane;

namespace {

std::vector<std::wstring> ChildNames(const t_Document& document, t_Element element) {
    std::vector<std::wstring> names;
    for (t_Element child = document.FirstChild(element); child != nullElement; child = document.NextSibling(child)) {
        names.emplace_back(document.Name(child));
    }
    return names;
}

std::vector<std::wstring> AttributeTexts(const t_Document& document, t_Element element) {
    std::vector<std::wstring> texts;
    for (t_Attribute a = document.FirstAttribute(element); a != nullAttribute; a = document.NextAttribute(element, a)) {
        texts.push_back(std::wstring(document.Name(a)) + L"=" + std::wstring(document.Value(a)));
    }
    return texts;
}

} // namespace

TEST(QuillaneDocument, KeepsDataOrderAndFindsFirstExactMatches) {
    t_Document document;
    const t_Element root = document.CreateRoot(L"Ombrix Configuration");
    const t_Element colors = document.AppendChild(root, L"colors");
    const t_Element list = document.AppendChild(root, L"pinned");
    document.AddAttribute(root, L"version", L"1");
    // Attributes of different elements interleaved: each element still lists only its own, in order.
    document.AddAttribute(list, L"", L"C:\\Windows\\notepad.exe");
    const t_Element background = document.AppendChild(colors, L"background");
    document.AddAttribute(root, L"hotkey", L"Win");
    document.AddAttribute(background, L"r", L"12");
    document.AddAttribute(list, L"", L"https://example.org/");
    document.AddAttribute(root, L"version", L"2");
    const t_Element second = document.AppendChild(root, L"colors");
    document.AppendChild(root, L"");

    EXPECT_EQ(document.Root(), root);
    EXPECT_EQ(document.Name(root), L"Ombrix Configuration");
    EXPECT_EQ(ChildNames(document, root), (std::vector<std::wstring>{L"colors", L"pinned", L"colors", L""}));
    EXPECT_EQ(AttributeTexts(document, root), (std::vector<std::wstring>{L"version=1", L"hotkey=Win", L"version=2"}));
    EXPECT_EQ(AttributeTexts(document, list),
              (std::vector<std::wstring>{L"=C:\\Windows\\notepad.exe", L"=https://example.org/"}));
    EXPECT_EQ(document.NextSibling(root), nullElement);
    EXPECT_EQ(document.FirstChild(background), nullElement);

    // The first exact, case-sensitive match.
    EXPECT_EQ(document.ChildByName(root, L"colors"), colors);
    EXPECT_NE(document.ChildByName(root, L"colors"), second);
    EXPECT_EQ(document.ChildByName(root, L"Colors"), nullElement);
    EXPECT_EQ(document.ChildByName(root, L"colo"), nullElement);
    EXPECT_EQ(document.Name(document.ChildByName(root, L"")), L"");
    EXPECT_NE(document.ChildByName(root, L""), nullElement);
    EXPECT_EQ(document.AttributeByName(root, L"version"), L"1");
    EXPECT_EQ(document.AttributeByName(root, L"Version"), L"");
    EXPECT_EQ(document.AttributeByName(list, L""), L"C:\\Windows\\notepad.exe");
    EXPECT_EQ(document.AttributeByName(background, L"g"), L"");
}

TEST(QuillaneDocument, NullForeignAndStaleHandlesGiveNothing) {
    t_Document empty;
    EXPECT_EQ(empty.Root(), nullElement);
    EXPECT_EQ(empty.FirstChild(nullElement), nullElement);
    EXPECT_TRUE(ChildNames(empty, empty.Root()).empty());

    t_Document document;
    const t_Element root = document.CreateRoot(L"root");
    const t_Element child = document.AppendChild(root, L"child");
    const t_Attribute attribute = document.AddAttribute(root, L"a", L"b");
    document.AddAttribute(child, L"c", L"d");
    document.AddAttribute(root, L"e", L"f");
    document.Finish();

    const t_Element farElement{12345};
    const t_Attribute farAttribute{12345};
    for (t_Element element : {nullElement, farElement}) {
        EXPECT_EQ(document.FirstChild(element), nullElement);
        EXPECT_EQ(document.NextSibling(element), nullElement);
        EXPECT_EQ(document.ChildByName(element, L"child"), nullElement);
        EXPECT_EQ(document.FirstAttribute(element), nullAttribute);
        EXPECT_EQ(document.AttributeByName(element, L"a"), L"");
        EXPECT_EQ(document.Name(element), L"");
        EXPECT_TRUE(ChildNames(document, element).empty());
    }
    for (t_Attribute a : {nullAttribute, farAttribute}) {
        EXPECT_EQ(document.Name(a), L"");
        EXPECT_EQ(document.Value(a), L"");
        EXPECT_EQ(document.NextAttribute(root, a), nullAttribute);
    }
    // An attribute asked for as the next of an element it does not belong to.
    EXPECT_EQ(document.Name(document.NextAttribute(root, attribute)), L"e");
    EXPECT_EQ(document.NextAttribute(child, attribute), nullAttribute);
    EXPECT_EQ(document.NextAttribute(nullElement, attribute), nullAttribute);

    // A moved-from document is empty, and can be built again.
    t_Document moved = std::move(document);
    EXPECT_EQ(moved.Name(moved.Root()), L"root");
    EXPECT_EQ(document.Root(), nullElement); // NOLINT(bugprone-use-after-move): that is the point
    EXPECT_EQ(document.Name(root), L"");
    EXPECT_EQ(document.Value(attribute), L"");
    EXPECT_THROW(document.Serialise(root), t_UsageError);
    EXPECT_EQ(document.Name(document.CreateRoot(L"again")), L"again");
}

TEST(QuillaneDocument, BuildingOutOfOrderIsAUsageError) {
    t_Document document;
    EXPECT_THROW(document.Finish(), t_UsageError);
    EXPECT_THROW(document.AppendChild(nullElement, L"x"), t_UsageError);
    EXPECT_THROW(document.AddAttribute(nullElement, L"x", L"y"), t_UsageError);
    EXPECT_THROW(document.Serialise(nullElement), t_UsageError);

    const t_Element root = document.CreateRoot(L"root");
    EXPECT_THROW(document.CreateRoot(L"root"), t_UsageError);
    EXPECT_THROW(document.AppendChild(t_Element{7}, L"x"), t_UsageError);
    EXPECT_THROW(document.AddAttribute(t_Element{7}, L"x", L"y"), t_UsageError);
    EXPECT_THROW(document.Serialise(root), t_UsageError);
    EXPECT_THROW(document.SerialiseCompact(root), t_UsageError);

    // 256 levels are the most a document holds; the reader refuses more, so the writer never makes more.
    t_Element deepest = root;
    for (int level = 2; level <= 256; ++level) deepest = document.AppendChild(deepest, L"");
    EXPECT_THROW(document.AppendChild(deepest, L"too deep"), t_UsageError);
    document.AddAttribute(deepest, L"still", L"fine");

    document.Finish();
    EXPECT_THROW(document.Finish(), t_UsageError);
    EXPECT_THROW(document.AppendChild(root, L"late"), t_UsageError);
    EXPECT_THROW(document.AddAttribute(root, L"late", L""), t_UsageError);
    EXPECT_THROW(document.Serialise(nullElement), t_UsageError);
    EXPECT_THROW(document.SerialiseCompact(t_Element{100000}), t_UsageError);

    t_Document reread;
    reread.Parse(document.Serialise(root));
    EXPECT_EQ(reread.AttributeByName(t_Element{255}, L"still"), L"fine");
    // A parsed document is complete: it serialises at once, and grows no further.
    EXPECT_THROW(reread.CreateRoot(L"another"), t_UsageError);
    EXPECT_THROW(reread.AppendChild(reread.Root(), L"x"), t_UsageError);
    EXPECT_EQ(reread.Serialise(reread.Root()), document.Serialise(root));
}

TEST(QuillaneDocument, NamesAndValuesMayBeCopiedFromTheSameDocument) {
    // Copying a name or value of a document into itself must survive the text buffer moving as it grows.
    t_Document document;
    const t_Element root = document.CreateRoot(L"an element name long enough to be on the heap");
    const t_Attribute first = document.AddAttribute(root, L"first name", L"first value, also long enough");
    t_Attribute last = first;
    for (int i = 0; i < 200; ++i) {
        last = document.AddAttribute(root, document.Value(last), document.Name(last));
        document.AppendChild(root, document.Name(root));
    }
    EXPECT_EQ(document.Name(last), L"first name");
    EXPECT_EQ(document.Value(last), L"first value, also long enough");
    EXPECT_EQ(document.Name(document.FirstChild(root)), document.Name(root));

    // Large enough that the heap gives the old buffer back to the system when it moves (sanitizers do not see
    // wide-character copies), so a copy from it would fault.
    t_Document large;
    const std::wstring big(300000, L'q');
    const t_Element bigRoot = large.CreateRoot(big);
    const t_Attribute copy = large.AddAttribute(bigRoot, large.Name(bigRoot), large.Name(bigRoot));
    large.AppendChild(bigRoot, large.Value(copy));
    EXPECT_EQ(large.Value(copy), big);
    EXPECT_EQ(large.Name(large.FirstChild(bigRoot)), big);
}

TEST(QuillaneDocument, ParseReplacesTheDocumentOnlyWhenTheTextIsGood) {
    t_Document document;
    document.Parse(L"\"first\" \"a\"=\"1\"\r\n");
    EXPECT_THROW(document.Parse(L"\"second\" \"a\"=\"2"), t_ParseError);
    EXPECT_EQ(document.Name(document.Root()), L"first");
    EXPECT_EQ(document.AttributeByName(document.Root(), L"a"), L"1");

    // The text may even be a value of the document it replaces.
    document.Parse(LR"("outer" "inner"="\"inner root\" \"k\"=\"v\"")");
    document.Parse(document.AttributeByName(document.Root(), L"inner"));
    EXPECT_EQ(document.Name(document.Root()), L"inner root");
    EXPECT_EQ(document.AttributeByName(document.Root(), L"k"), L"v");
}

TEST(QuillaneDocument, TenThousandAttributesOnOneElement) {
    t_Document document;
    const t_Element root = document.CreateRoot(L"Ombrix History");
    const t_Element executor = document.AppendChild(root, L"default executor");
    std::vector<std::wstring> lines;
    for (int i = 0; i < 10000; ++i) {
        lines.push_back(L"\"C:\\Program Files\\App " + std::to_wstring(i) + L"\\app.exe\" --flag value" +
                        std::wstring(static_cast<std::size_t>(i % 97), L'x'));
        document.AddAttribute(executor, L"", lines.back());
    }
    document.AppendChild(document.AppendChild(root, L"custom executors"), L"Editor");
    document.Finish();

    for (const std::wstring& text : {document.Serialise(root), document.SerialiseCompact(root)}) {
        t_Document reread;
        reread.Parse(text);
        const t_Element list = reread.ChildByName(reread.Root(), L"default executor");
        std::size_t count = 0;
        for (t_Attribute a = reread.FirstAttribute(list); a != nullAttribute; a = reread.NextAttribute(list, a)) {
            ASSERT_LT(count, lines.size());
            EXPECT_EQ(reread.Name(a), L"");
            EXPECT_EQ(reread.Value(a), lines[count]);
            ++count;
        }
        EXPECT_EQ(count, 10000u);
        EXPECT_NE(reread.ChildByName(reread.ChildByName(reread.Root(), L"custom executors"), L"Editor"), nullElement);
    }
}
