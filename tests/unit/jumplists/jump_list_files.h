#pragma once
// Jump-list files for tests, made the way applications and the shell make them: links saved through
// IPersistStream, custom files laid out byte by byte around them, automatic files through our own edits.

#include "catalogue/link_properties.h"
#include "jumplists/shell_destination.h"

#include <cstdint>
#include <string>
#include <vector>

namespace n_ombrix_test {

// Writes a document of the tests' own at the path and returns the path.
std::wstring WriteDocument(const std::wstring& path);

// The raw path of the destination's link; empty for one that is not a link.
std::wstring LinkTarget(const n_ombrix::t_ShellDestination& destination);

// A document of the tests' own at the path, and a link to it (saved beside it, the path with ".lnk") as an
// application hands it to the shell, keeping the text that a pin stores.
n_ombrix::t_ShellDestination DocumentLink(const std::wstring& path);

// A document of the tests' own at the path, and the bytes of a link to it saved beside it; the properties go into
// its property-store block as the platform's store would put them.
std::string SavedLink(const std::wstring& document, const std::wstring& arguments = {},
                      const std::vector<n_ombrix::t_Property>& properties = {});

// The bytes of a link holding only the ID list given as bytes (without its terminating zero), saved at the path.
std::string SavedIdListLink(const std::wstring& path, const std::vector<std::uint8_t>& idList);

struct t_CustomCategoryFields {
    std::uint32_t type = 0;           // 0 custom, 1 known, 2 tasks
    std::wstring name{};              // type 0
    std::uint32_t knownId = 0;        // type 1
    std::vector<std::string> links{}; // SavedLink bytes; types 0 and 2
};

// A whole custom destinations file: version 2, the categories, each with its footer.
std::string CustomDestinationsBytes(const std::vector<t_CustomCategoryFields>& categories);

} // namespace n_ombrix_test
