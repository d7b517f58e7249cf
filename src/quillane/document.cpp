#include "quillane/document.h"

#include "quillane/text_reader.h"
#include "quillane/text_writer.h"
#include "quillane/tree.h"

#include <string>
#include <utility>

namespace n_quillane {

namespace {

std::string WithPlace(const std::string& what, std::size_t line, std::size_t column) {
    return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what;
}

// The tree of a document's storage, or null for a document that has none yet.
template <typename Storage> const t_Tree* TreeOf(const Storage& storage) noexcept {
    return storage ? &storage->tree : nullptr;
}

const t_Tree::t_ElementNode* FindElement(const t_Tree* tree, t_Element element) noexcept {
    return tree != nullptr && tree->HasElement(element.index) ? &tree->Element(element.index) : nullptr;
}

const t_Tree::t_AttributeNode* FindAttribute(const t_Tree* tree, t_Attribute attribute) noexcept {
    return tree != nullptr && tree->HasAttribute(attribute.index) ? &tree->Attribute(attribute.index) : nullptr;
}

} // namespace

t_ParseError::t_ParseError(const std::string& what, std::size_t line, std::size_t column)
    : std::runtime_error(WithPlace(what, line, column)), line_(line), column_(column) {}

// Made on first use, so that a new or moved-from document costs nothing and behaves as an empty one.
struct t_Document::t_Storage {
    t_Tree tree;
    // Set by Finish and by Parse: the tree is complete, may be serialised and no longer grows.
    bool finished = false;
};

t_Document::t_Document() = default;
t_Document::t_Document(t_Document&&) noexcept = default;
t_Document& t_Document::operator=(t_Document&&) noexcept = default;
t_Document::~t_Document() = default;

void t_Document::Parse(std::wstring_view text) {
    // Read into a new tree first: on an error the document stays as it was, and the text may even be a view into
    // this document.
    t_TextReader reader(text);
    auto storage = std::make_unique<t_Storage>(t_Storage{.tree = reader.Read(), .finished = true});
    storage_ = std::move(storage);
}

t_Element t_Document::CreateRoot(std::wstring_view name) {
    if (!storage_) storage_ = std::make_unique<t_Storage>();
    if (storage_->finished || storage_->tree.ElementCount() != 0) {
        throw t_UsageError("quillane: CreateRoot on a document that has a root already");
    }
    t_Tree& tree = storage_->tree;
    return {tree.AddElement(t_Tree::none, tree.Store(name))};
}

t_Element t_Document::AppendChild(t_Element parent, std::wstring_view name) {
    const t_Tree* const tree = TreeOf(storage_);
    const t_Tree::t_ElementNode* const node = FindElement(tree, parent);
    if (node == nullptr) throw t_UsageError("quillane: AppendChild to a null element or one of another document");
    if (storage_->finished) throw t_UsageError("quillane: AppendChild after Finish");
    if (node->depth >= t_Tree::maxDepth) throw t_UsageError("quillane: elements nested deeper than 256 levels");
    t_Tree& writable = storage_->tree;
    return {writable.AddElement(parent.index, writable.Store(name))};
}

t_Attribute t_Document::AddAttribute(t_Element element, std::wstring_view name, std::wstring_view value) {
    const t_Tree* const tree = TreeOf(storage_);
    if (FindElement(tree, element) == nullptr) {
        throw t_UsageError("quillane: AddAttribute to a null element or one of another document");
    }
    if (storage_->finished) throw t_UsageError("quillane: AddAttribute after Finish");
    t_Tree& writable = storage_->tree;
    const auto [nameSpan, valueSpan] = writable.Store(name, value);
    return {writable.AddAttribute(element.index, nameSpan, valueSpan)};
}

void t_Document::Finish() {
    if (!storage_ || storage_->tree.ElementCount() == 0) throw t_UsageError("quillane: Finish without a root");
    if (storage_->finished) throw t_UsageError("quillane: Finish called twice");
    storage_->finished = true;
}

t_Element t_Document::Root() const noexcept {
    return storage_ && storage_->tree.ElementCount() != 0 ? t_Element{0} : nullElement;
}

t_Element t_Document::FirstChild(t_Element element) const noexcept {
    const auto* node = FindElement(TreeOf(storage_), element);
    return node != nullptr ? t_Element{node->firstChild} : nullElement;
}

t_Element t_Document::NextSibling(t_Element element) const noexcept {
    const auto* node = FindElement(TreeOf(storage_), element);
    return node != nullptr ? t_Element{node->nextSibling} : nullElement;
}

t_Element t_Document::ChildByName(t_Element element, std::wstring_view name) const noexcept {
    for (t_Element child = FirstChild(element); child != nullElement; child = NextSibling(child)) {
        if (Name(child) == name) return child;
    }
    return nullElement;
}

t_Attribute t_Document::FirstAttribute(t_Element element) const noexcept {
    const auto* node = FindElement(TreeOf(storage_), element);
    return node != nullptr ? t_Attribute{node->firstAttribute} : nullAttribute;
}

t_Attribute t_Document::NextAttribute(t_Element element, t_Attribute attribute) const noexcept {
    const auto* node = FindAttribute(TreeOf(storage_), attribute);
    return node != nullptr && node->element == element.index ? t_Attribute{node->next} : nullAttribute;
}

std::wstring_view t_Document::AttributeByName(t_Element element, std::wstring_view name) const noexcept {
    for (t_Attribute a = FirstAttribute(element); a != nullAttribute; a = NextAttribute(element, a)) {
        if (Name(a) == name) return Value(a);
    }
    return {};
}

std::wstring_view t_Document::Name(t_Element element) const noexcept {
    const auto* node = FindElement(TreeOf(storage_), element);
    return node != nullptr ? storage_->tree.View(node->name) : std::wstring_view{};
}

std::wstring_view t_Document::Name(t_Attribute attribute) const noexcept {
    const auto* node = FindAttribute(TreeOf(storage_), attribute);
    return node != nullptr ? storage_->tree.View(node->name) : std::wstring_view{};
}

std::wstring_view t_Document::Value(t_Attribute attribute) const noexcept {
    const auto* node = FindAttribute(TreeOf(storage_), attribute);
    return node != nullptr ? storage_->tree.View(node->value) : std::wstring_view{};
}

std::wstring t_Document::Serialise(t_Element root) const {
    if (!storage_ || !storage_->finished) throw t_UsageError("quillane: Serialise before Finish");
    if (!storage_->tree.HasElement(root.index)) throw t_UsageError("quillane: Serialise of a null element");
    return WriteIndented(storage_->tree, root.index);
}

std::wstring t_Document::SerialiseCompact(t_Element root) const {
    if (!storage_ || !storage_->finished) throw t_UsageError("quillane: SerialiseCompact before Finish");
    if (!storage_->tree.HasElement(root.index)) throw t_UsageError("quillane: SerialiseCompact of a null element");
    return WriteCompact(storage_->tree, root.index);
}

} // namespace n_quillane
