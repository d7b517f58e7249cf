#include "quillane/document.h"

#include <gtest/gtest.h>

#include <string>

using namespace n_quillane;

namespace {

// An element's attributes and children through the look-ups: "name=value" and "(name)", each followed by a space.
std::wstring Contents(const t_Document& document, t_Element element) {
    std::wstring out;
    for (t_Attribute a = document.FirstAttribute(element); a != nullAttribute; a = document.NextAttribute(element, a))
        out += std::wstring(document.Name(a)) + L"=" + std::wstring(document.Value(a)) + L" ";
    for (t_Element c = document.FirstChild(element); c != nullElement; c = document.NextSibling(c))
        out += L"(" + std::wstring(document.Name(c)) + L") ";
    return out;
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
    EXPECT_EQ(Contents(document, root), L"version=1 version=2 (colors) (pinned) (colors) ");
    EXPECT_EQ(Contents(document, list) + Contents(document, colors),
              L"=notepad.exe =https://example.org/ (background) ");
    // Look-ups by name find the first exact, case-sensitive match.
    EXPECT_EQ(document.ChildByName(root, L"colors"), colors);
    EXPECT_EQ(document.ChildByName(root, L"Colors"), nullElement);
    EXPECT_EQ(document.AttributeByName(root, L"version"), L"1");

    // Handles this document does not have (null, or just past the last) give nothing.
    EXPECT_EQ(Contents(document, t_Element{5}) + std::wstring(document.Name(nullElement)), L"");
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
    EXPECT_EQ(Contents(large, root), big + L"=" + big + L" (" + big + L") ");
    // Parse leaves the document as it was on an error; the text may be a value of the document it replaces.
    t_Document document;
    document.Parse(LR"("outer" "inner"="\"inner root\" \"k\"=\"v\"")");
    EXPECT_THROW(document.Parse(L"\"second\" \"a\"=\"2"), t_ParseError);
    document.Parse(document.AttributeByName(document.Root(), L"inner"));
    EXPECT_EQ(Contents(document, document.Root()), L"k=v ");
}
