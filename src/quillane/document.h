#pragma once
// Quillane documents (.qln): a tree of named elements, each with ordered, named attributes whose values are text,
// stored as a readable text. The configuration, the launch histories and colour schemes are such documents.
// Platform-neutral.
//
// Writing: CreateRoot, then AppendChild and AddAttribute in data order, Finish, Serialise (or SerialiseCompact).
// Reading: Parse, then Root and the look-ups. Text is UTF-16 in wchar_t units; names may be empty.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace n_quillane {

// Handles are small values that stay valid for the life of their document. The null element and the null attribute
// are never returned for a real one; every look-up on a null (or foreign) handle gives null or an empty text.
struct t_Element {
    std::uint32_t index = std::numeric_limits<std::uint32_t>::max();
    friend bool operator==(t_Element, t_Element) = default;
};
struct t_Attribute {
    std::uint32_t index = std::numeric_limits<std::uint32_t>::max();
    friend bool operator==(t_Attribute, t_Attribute) = default;
};
inline constexpr t_Element nullElement{};
inline constexpr t_Attribute nullAttribute{};

// Text that is not a document. Line and column (1-based, in UTF-16 units) say where reading stopped.
class t_ParseError : public std::runtime_error {
public:
    t_ParseError(const std::string& what, std::size_t line, std::size_t column);
    std::size_t Line() const noexcept { return line_; }
    std::size_t Column() const noexcept { return column_; }

private:
    std::size_t line_;
    std::size_t column_;
};

// Building operations used out of order (a second root, a child of a null element, serialising before Finish).
class t_UsageError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class t_Document {
public:
    t_Document();
    t_Document(t_Document&&) noexcept;
    t_Document& operator=(t_Document&&) noexcept;
    t_Document(const t_Document&) = delete;
    t_Document& operator=(const t_Document&) = delete;
    ~t_Document();

    // Replaces the document by the tree the text holds (text without a byte-order mark), finished. Throws
    // t_ParseError and then leaves the document as it was. docs/qln-format.md has the format.
    void Parse(std::wstring_view text);

    t_Element CreateRoot(std::wstring_view name);
    // The new child comes after the parent's existing children.
    t_Element AppendChild(t_Element parent, std::wstring_view name);
    // Attributes keep the order in which they were added; names need not be unique.
    t_Attribute AddAttribute(t_Element element, std::wstring_view name, std::wstring_view value);
    // Ends building; called once before serialising.
    void Finish();

    t_Element Root() const noexcept;
    t_Element FirstChild(t_Element element) const noexcept;
    t_Element NextSibling(t_Element element) const noexcept;
    // The first child whose name matches exactly (case-sensitive).
    t_Element ChildByName(t_Element element, std::wstring_view name) const noexcept;
    t_Attribute FirstAttribute(t_Element element) const noexcept;
    t_Attribute NextAttribute(t_Element element, t_Attribute attribute) const noexcept;
    // The value of the first attribute of that exact name; empty when there is none.
    std::wstring_view AttributeByName(t_Element element, std::wstring_view name) const noexcept;

    // Views into the document: valid until it next changes, and fine to pass back to its building operations.
    std::wstring_view Name(t_Element element) const noexcept;
    std::wstring_view Name(t_Attribute attribute) const noexcept;
    std::wstring_view Value(t_Attribute attribute) const noexcept;

    // The tree from root as text: indented, one element per line, for people to read and edit.
    std::wstring Serialise(t_Element root) const;
    // The same tree in the compact form (used for exported colour schemes). Parse reads both forms.
    std::wstring SerialiseCompact(t_Element root) const;

private:
    struct t_Storage;
    std::unique_ptr<t_Storage> storage_;
};

} // namespace n_quillane
