#pragma once
// What the resource qualifiers in the name of a logo's file or folder say of it, and which of two variants of a
// package's logo to draw: among one form the smallest that reaches the wanted size (else the largest), plated before
// unplated, the plain form and standard contrast on equal sizes, the user's languages first. Platform-neutral; the
// search through the package's folders is the Windows layer's.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace n_ombrix {

struct t_LogoCandidate {
    std::uint32_t languageRank = 0; // index among the preferred languages; their count when it names none
    std::int32_t size = 0;          // pixels, from a target-size or scale qualifier; 0 when unknown
    std::int32_t wantedFull = 0;    // the size of the whole image asked for
    std::int32_t wantedTarget = 0;  // the size drawn
    bool square30 = false;          // scales of a 30-pixel logo (of a 44-pixel one otherwise)
    bool unplated = false;
    bool fromScale = false;
    bool valid = true;
    std::uint16_t altForm = 0;  // 0 none, 1 full colour, 2 colorize
    std::uint16_t contrast = 0; // 0 standard, 1 high, 2 black, 3 white
};

// Applies the qualifiers of a name, separated by "_", in order; the languages are lower-cased, most preferred first.
// A qualifier of no known kind is a language's name: one the user does not prefer makes the candidate invalid.
void ApplyLogoQualifiers(std::wstring_view qualifiers, const std::vector<std::wstring>& languages,
                         t_LogoCandidate& candidate);

// Whether the candidate is to be drawn rather than the best so far; ties keep the best.
bool IsBetterLogo(const t_LogoCandidate& candidate, const t_LogoCandidate& best) noexcept;

// Where the variants of a logo named in a manifest are looked for, and how their files' names begin and end.
struct t_LogoPattern {
    std::wstring folder; // the package's folder and the logo's, backslashes only, single, ending in one
    std::wstring baseName;
    std::wstring extension; // with its dot; empty when the name has none
};
t_LogoPattern LogoPattern(std::wstring_view rootFolder, std::wstring_view logoPath);

// The qualifiers in the name of a file found for base name, "*" and extension: after the base name and the dot that
// follows it, before the extension.
std::wstring_view LogoFileQualifiers(std::wstring_view fileName, const t_LogoPattern& pattern) noexcept;

} // namespace n_ombrix
