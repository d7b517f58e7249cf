// libFuzzer target for .qln text, which reaches us from elsewhere as imported colour schemes. The input bytes are
// UTF-16LE text without a byte-order mark, as a file holds it after the mark (an odd last byte is dropped); the
// starting corpus in tests/data/qln-corpus is stored that way. Whatever parses must write, in either form, a text
// that parses back to the same tree. Anything thrown but t_ParseError (uncaught) or any difference aborts.

#include "fuzz_check.h"
#include "quillane/document.h"

#include <string>
#include <vector>

using namespace n_quillane;
using n_ombrix_fuzz::Abandon;

namespace {

// Walks the whole tree through the public look-ups. Gives what it met, tagged, with each element's number of
// children: enough to tell one tree from another without trusting the writer, which could change a value the same
// way on every round and still write the same text twice.
std::vector<std::wstring> Visit(const t_Document& document) {
    std::vector<std::wstring> met;
    std::vector<t_Element> pending{document.Root()};
    while (!pending.empty()) {
        const t_Element element = pending.back();
        pending.pop_back();
        met.push_back(L"<" + std::wstring(document.Name(element)));
        for (t_Attribute a = document.FirstAttribute(element); a != nullAttribute;
             a = document.NextAttribute(element, a))
            met.insert(met.end(), {L"=" + std::wstring(document.Name(a)), L"\"" + std::wstring(document.Value(a))});
        const std::size_t before = pending.size();
        for (t_Element c = document.FirstChild(element); c != nullElement; c = document.NextSibling(c))
            pending.push_back(c);
        met.push_back(L">" + std::to_wstring(pending.size() - before));
    }
    return met;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring text(size / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
    t_Document document;
    try {
        document.Parse(text);
    } catch (const t_ParseError&) {
        return 0;
    }
    const std::vector<std::wstring> tree = Visit(document);
    for (const std::wstring& written :
         {document.Serialise(document.Root()), document.SerialiseCompact(document.Root())}) {
        t_Document again;
        try {
            again.Parse(written);
        } catch (const t_ParseError&) {
            Abandon("a written text does not parse");
        }
        if (Visit(again) != tree) Abandon("a written text parses back to another tree");
    }
    return 0;
}
