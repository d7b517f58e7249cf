#include "jumplists/destinations_file_name.h"

namespace n_ombrix {

namespace {

int HexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool EqualIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

} // namespace

std::wstring DestinationsFileStem(std::uint64_t hash) {
    std::wstring stem;
    do {
        stem.insert(stem.begin(), L"0123456789abcdef"[hash & 0xF]);
        hash >>= 4;
    } while (hash != 0);
    return stem;
}

std::optional<std::uint64_t> ParseDestinationsFileName(std::wstring_view name, std::wstring_view suffix) {
    std::uint64_t value = 0;
    std::size_t digits = 0;
    for (; digits < name.size(); ++digits) {
        const int digit = HexDigitValue(name[digits]);
        if (digit < 0) break;
        if (value >> 60 != 0) return std::nullopt; // one more digit would overflow
        value = (value << 4) | static_cast<std::uint64_t>(digit);
    }
    if (digits == 0 || value == 0 || value == ~std::uint64_t{0}) return std::nullopt;
    if (suffix.empty() || suffix.front() != L'.' || !EqualIgnoringAsciiCase(name.substr(digits), suffix)) {
        return std::nullopt;
    }
    return value;
}

} // namespace n_ombrix
