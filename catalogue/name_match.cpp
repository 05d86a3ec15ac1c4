#include "catalogue/name_match.h"

#include <cstddef>

namespace {

bool IsLeadByte(unsigned char byte) {
    return byte >= 0x80;
}

unsigned char FoldAsciiCase(unsigned char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Length of the character that starts at `at`; a lead byte at the very end
// stands alone so that nothing is read past the name.
std::size_t CharacterLength(std::string_view s, std::size_t at) {
    return IsLeadByte(static_cast<unsigned char>(s[at])) && at + 1 < s.size() ? 2 : 1;
}

// The name's characters from `start` against the whole text. The name decides
// where its characters begin: case folds only for single-byte characters, so
// a second byte in the letter range never matches its other case.
bool MatchesAt(std::string_view name, std::size_t start, std::string_view text) {
    std::size_t i = start;
    std::size_t j = 0;
    while (j < text.size()) {
        if (i >= name.size()) return false;
        const std::size_t length = CharacterLength(name, i);
        if (length == 2) {
            if (j + 2 > text.size() || name[i] != text[j] || name[i + 1] != text[j + 1])
                return false;
        } else if (FoldAsciiCase(static_cast<unsigned char>(name[i])) !=
                   FoldAsciiCase(static_cast<unsigned char>(text[j]))) {
            return false;
        }
        i += length;
        j += length;
    }
    return true;
}

}  // namespace

bool NameContains(std::string_view name, std::string_view text) {
    for (std::size_t start = 0;; start += CharacterLength(name, start)) {
        if (MatchesAt(name, start, text)) return true;
        if (start >= name.size()) return false;
    }
}
