#include "launch/launch_history.h"

#include "system/upper_case.h"

#include <algorithm>
#include <numeric>

namespace n_ombrix {

using n_quillane::nullAttribute;
using n_quillane::nullElement;
using n_quillane::t_Attribute;
using n_quillane::t_Document;
using n_quillane::t_Element;

namespace {

constexpr wchar_t rootName[] = L"Ombrix History";
constexpr wchar_t defaultExecutorName[] = L"default executor";
constexpr wchar_t customExecutorsName[] = L"custom executors";

// Upper-cased texts compared unit by unit. A plain loop: the library's comparison calls out to the C runtime, and
// ordering a loaded history compares some 130,000 pairs with long common beginnings ("C:\Users\...").
int CompareUnits(std::wstring_view a, std::wstring_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i)
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

void WriteEntries(t_Document& document, t_Element element, const t_LaunchHistory& history) {
    for (const std::wstring& entry : history.Entries()) document.AddAttribute(element, L"", entry);
}

void ReadEntries(const t_Document& document, t_Element element, t_LaunchHistory& history) {
    for (t_Attribute attribute = document.FirstAttribute(element); attribute != nullAttribute;
         attribute = document.NextAttribute(element, attribute))
        if (!history.Append(document.Value(attribute))) break;
}

} // namespace

void t_LaunchHistory::Add(std::wstring_view text) {
    for (std::size_t i = texts_.size(); i-- > 0;)
        if (texts_[i] == text) Remove(i);
    while (texts_.size() >= capacity) Remove(texts_.size() - 1);

    std::wstring upper;
    n_zql::n_system::AppendUpperCased(upper, text);
    if (ordered_) {
        // The new entry is the most recent, so it comes first among entries of the same upper-cased text.
        const auto place = std::lower_bound(textOrder_.begin(), textOrder_.end(), upper,
                                            [this](std::uint32_t index, const std::wstring& value) {
                                                return CompareUnits(UpperCase(index), value) < 0;
                                            });
        const auto offset = place - textOrder_.begin();
        for (std::uint32_t& index : textOrder_) ++index;
        textOrder_.insert(textOrder_.begin() + offset, 0u);
    }
    texts_.emplace(texts_.begin(), text);
    upper_.insert(0, upper);
    for (std::size_t& start : upperStarts_) start += upper.size();
    upperStarts_.insert(upperStarts_.begin(), 0);
}

bool t_LaunchHistory::Append(std::wstring_view text) {
    if (texts_.size() >= capacity) return false;
    if (text.empty()) return true;
    texts_.emplace_back(text);
    n_zql::n_system::AppendUpperCased(upper_, text);
    upperStarts_.push_back(upper_.size());
    ordered_ = false;
    return true;
}

void t_LaunchHistory::Remove(std::size_t index) {
    if (ordered_) {
        std::erase(textOrder_, static_cast<std::uint32_t>(index));
        for (std::uint32_t& other : textOrder_)
            if (other > index) --other;
    }
    texts_.erase(texts_.begin() + static_cast<std::ptrdiff_t>(index));
    const std::size_t length = upperStarts_[index + 1] - upperStarts_[index];
    upper_.erase(upperStarts_[index], length);
    upperStarts_.erase(upperStarts_.begin() + static_cast<std::ptrdiff_t>(index) + 1);
    for (std::size_t i = index + 1; i < upperStarts_.size(); ++i) upperStarts_[i] -= length;
}

void t_LaunchHistory::Clear() {
    texts_.clear();
    upper_.clear();
    upperStarts_.assign(1, 0);
    textOrder_.clear();
    ordered_ = true;
}

const std::vector<std::uint32_t>& t_LaunchHistory::TextOrder() {
    if (!ordered_) {
        textOrder_.resize(texts_.size());
        std::iota(textOrder_.begin(), textOrder_.end(), 0u);
        std::sort(textOrder_.begin(), textOrder_.end(), [this](std::uint32_t a, std::uint32_t b) {
            const int comparison = CompareUnits(UpperCase(a), UpperCase(b));
            return comparison < 0 || (comparison == 0 && a < b);
        });
        ordered_ = true;
    }
    return textOrder_;
}

t_Document WriteHistoryDocument(std::span<const t_LaunchHistory> histories,
                                std::span<const std::wstring_view> captions) {
    t_Document document;
    const t_Element root = document.CreateRoot(rootName);
    WriteEntries(document, document.AppendChild(root, defaultExecutorName), histories[0]);
    const t_Element custom = document.AppendChild(root, customExecutorsName);
    for (std::size_t i = 0; i < captions.size(); ++i)
        WriteEntries(document, document.AppendChild(custom, captions[i]), histories[i + 1]);
    document.Finish();
    return document;
}

void ReadHistoryDocument(const t_Document& document, std::span<t_LaunchHistory> histories,
                         std::span<const std::wstring_view> captions) {
    const t_Element root = document.Root();
    ReadEntries(document, document.ChildByName(root, defaultExecutorName), histories[0]);
    if (!captions.empty()) {
        const t_Element custom = document.ChildByName(root, customExecutorsName);
        for (std::size_t i = 0; i < captions.size(); ++i)
            ReadEntries(document, document.ChildByName(custom, captions[i]), histories[i + 1]);
    }
    for (t_LaunchHistory& history : histories) history.TextOrder();
}

} // namespace n_ombrix
