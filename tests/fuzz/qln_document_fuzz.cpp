// libFuzzer target for .qln text, which reaches us from elsewhere as imported colour schemes. The input bytes are
// UTF-16LE text without a byte-order mark, as a file holds it after the mark (an odd last byte is dropped); the
// starting corpus in tests/data/qln-corpus is stored that way. Whatever parses must write, in either form, a text
// that parses back to the same tree and the same text. Anything thrown but t_ParseError (uncaught) or any
// difference aborts.

#include "fuzz_check.h"
#include "quillane/document.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using namespace n_quillane;
using n_ombrix_fuzz::Abandon;

namespace {

// The place of an error lies within the text: a line that exists, a column at most one past its end.
void CheckPlace(const std::wstring& text, const t_ParseError& error) {
    std::size_t lineStart = 0;
    for (std::size_t line = 1; line < error.Line(); ++line) {
        lineStart = text.find(L'\n', lineStart) + 1; // 0 when there is no such line feed
        if (lineStart == 0) Abandon("a parse error on a line the text does not have");
    }
    if (error.Line() == 0 || error.Column() == 0 || lineStart + error.Column() - 1 > text.size())
        Abandon("a parse error outside the text");
}

// Walks the whole tree through the public look-ups, so that they meet every shape the reader makes. Gives what it
// met, tagged, with each element's number of children: enough to tell one tree from another without trusting the
// writer, which could change a value the same way on every round and still write the same text twice.
std::vector<std::wstring> Visit(const t_Document& document) {
    std::vector<std::wstring> met;
    std::vector<t_Element> pending{document.Root()};
    while (!pending.empty()) {
        const t_Element element = pending.back();
        pending.pop_back();
        met.push_back(L"<" + std::wstring(document.Name(element)));
        const t_Attribute attribute = document.FirstAttribute(element);
        if (attribute != nullAttribute &&
            document.AttributeByName(element, document.Name(attribute)).data() != document.Value(attribute).data())
            Abandon("the first attribute not found by its name");
        for (t_Attribute a = attribute; a != nullAttribute; a = document.NextAttribute(element, a)) {
            met.push_back(L"=" + std::wstring(document.Name(a)));
            met.push_back(L"\"" + std::wstring(document.Value(a)));
        }
        const t_Element child = document.FirstChild(element);
        if (child != nullElement && document.ChildByName(element, document.Name(child)) != child)
            Abandon("the first child not found by its name");
        const std::size_t before = pending.size();
        for (t_Element c = child; c != nullElement; c = document.NextSibling(c)) pending.push_back(c);
        met.push_back(L">" + std::to_wstring(pending.size() - before));
    }
    return met;
}

void CheckWrittenTextsParseBack(const t_Document& document, const std::vector<std::wstring>& tree) {
    const std::wstring indented = document.Serialise(document.Root());
    const std::wstring compact = document.SerialiseCompact(document.Root());
    for (const std::wstring* text : {&indented, &compact}) {
        t_Document again;
        try {
            again.Parse(*text);
        } catch (const t_ParseError& error) {
            std::fprintf(stderr, "%s\n", error.what());
            Abandon("a written text does not parse");
        }
        if (Visit(again) != tree) Abandon("a written text parses back to another tree");
        if (again.Serialise(again.Root()) != indented) Abandon("the indented form changed on a second round");
        if (again.SerialiseCompact(again.Root()) != compact) Abandon("the compact form changed on a second round");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring text(size / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
    t_Document document;
    try {
        document.Parse(text);
    } catch (const t_ParseError& error) {
        CheckPlace(text, error);
        return 0;
    }
    CheckWrittenTextsParseBack(document, Visit(document));
    return 0;
}
