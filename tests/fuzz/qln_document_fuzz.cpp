// libFuzzer target for .qln text, which reaches us from elsewhere as imported colour schemes. The input bytes are
// UTF-16LE text without a byte-order mark, as a file holds it after the mark (an odd last byte is dropped); the
// starting corpus in tests/data/qln-corpus is stored that way. Whatever parses must write, in either form, a text
// that parses back to the same text. Anything thrown but t_ParseError (uncaught) or any difference aborts.

#include "quillane/document.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace n_quillane;

namespace {

[[noreturn]] void Abandon(const char* why) {
    std::fprintf(stderr, "qln_document_fuzz: %s\n", why);
    std::abort();
}

std::wstring Utf16LeText(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    text.reserve(size / 2);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<wchar_t>(data[i] | (static_cast<unsigned>(data[i + 1]) << 8)));
    }
    return text;
}

// The place of an error lies within the text: a line that exists, a column at most one past its end.
void CheckPlace(const std::wstring& text, const t_ParseError& error) {
    std::size_t line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < text.size() && line < error.Line(); ++i) {
        if (text[i] == L'\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    if (line != error.Line()) Abandon("a parse error on a line the text does not have");
    if (error.Column() == 0 || lineStart + error.Column() - 1 > text.size()) Abandon("a parse error past the text");
}

// Walks the whole tree through the public look-ups, so that they meet every shape the reader makes.
void Visit(const t_Document& document) {
    std::vector<t_Element> pending{document.Root()};
    while (!pending.empty()) {
        const t_Element element = pending.back();
        pending.pop_back();
        if (const t_Attribute first = document.FirstAttribute(element); first != nullAttribute) {
            if (document.AttributeByName(element, document.Name(first)).data() != document.Value(first).data()) {
                Abandon("the first attribute not found by its name");
            }
        }
        for (t_Attribute a = document.FirstAttribute(element); a != nullAttribute;
             a = document.NextAttribute(element, a)) {
            (void)document.Value(a);
        }
        if (const t_Element first = document.FirstChild(element); first != nullElement) {
            if (document.ChildByName(element, document.Name(first)) != first) {
                Abandon("the first child not found by its name");
            }
        }
        for (t_Element child = document.FirstChild(element); child != nullElement;
             child = document.NextSibling(child)) {
            pending.push_back(child);
        }
    }
}

void CheckWrittenTextsParseBack(const t_Document& document) {
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
        if (again.Serialise(again.Root()) != indented) Abandon("the indented form changed on a second round");
        if (again.SerialiseCompact(again.Root()) != compact) Abandon("the compact form changed on a second round");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = Utf16LeText(data, size);
    t_Document document;
    try {
        document.Parse(text);
    } catch (const t_ParseError& error) {
        CheckPlace(text, error);
        return 0;
    }
    Visit(document);
    CheckWrittenTextsParseBack(document);
    return 0;
}
