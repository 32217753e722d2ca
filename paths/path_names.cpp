#include "paths/path_names.h"

#include <cstddef>

namespace vernolak {
namespace {

bool IsLeadByte(unsigned char byte, PathCodePage codePage) {
    return codePage == PathCodePage::ShiftJis932 &&
           ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
}

// A byte is the second byte of a two-byte character when the run of lead
// bytes directly before it has odd length; the first byte never is.
bool IsSecondByte(std::string_view text, std::size_t index, PathCodePage codePage) {
    std::size_t leads = 0;
    while (index > leads &&
           IsLeadByte(static_cast<unsigned char>(text[index - leads - 1]), codePage)) {
        ++leads;
    }
    return leads % 2 == 1;
}

// Returns the index of the last byte of text that is in set and is a character
// of its own, or npos. A matching second byte is passed over with its lead byte.
std::size_t FindLastSeparator(std::string_view text, std::string_view set, PathCodePage codePage) {
    std::size_t index = text.size();
    while (index > 0) {
        --index;
        if (set.find(text[index]) == std::string_view::npos) continue;
        if (!IsSecondByte(text, index, codePage)) return index;
        if (index == 0) break;
        --index;  // the lead byte of the same character
    }
    return std::string_view::npos;
}

}  // namespace

PathRules NativePathRules() {
#ifdef _WIN32
    return {"\\:", PathCodePage::ShiftJis932};
#else
    return {"/", PathCodePage::SingleByte};
#endif
}

std::string ExtractNamePart(std::string_view path, const PathRules& rules) {
    const std::size_t cut = FindLastSeparator(path, rules.separators, rules.codePage);
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string ExtractFolderPart(std::string_view path, const PathRules& rules) {
    const std::size_t cut = FindLastSeparator(path, rules.separators, rules.codePage);
    return std::string(cut == std::string_view::npos ? std::string_view()
                                                     : path.substr(0, cut + 1));
}

std::string RemoveExtension(std::string_view path, const PathRules& rules) {
    std::string set(rules.separators);
    set += '.';
    const std::size_t cut = FindLastSeparator(path, set, rules.codePage);
    if (cut != std::string_view::npos && path[cut] == '.') return std::string(path.substr(0, cut));
    return std::string(path);
}

std::string InitialDialogFolder(std::string_view folderPart, const PathRules& rules) {
    const std::size_t size = folderPart.size();
    if (size <= 1) return std::string(folderPart);
    const std::size_t last = size - 1;
    const bool endsInSeparator =
        rules.separators.find(folderPart[last]) != std::string_view::npos &&
        folderPart[last] != ':' && !IsSecondByte(folderPart, last, rules.codePage);
    if (!endsInSeparator) return std::string(folderPart);
    const bool followsDriveColon =
        folderPart[last - 1] == ':' && !IsSecondByte(folderPart, last - 1, rules.codePage);
    if (followsDriveColon) return std::string(folderPart);
    return std::string(folderPart.substr(0, last));
}

}  // namespace vernolak
