#include "tools/cattool/text_encoding.h"

#include <cstdio>

#include "catalogue/catalogue_file.h"

namespace {

// Length of the well-formed UTF-8 sequence at `i`, 0 when it is broken.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (c & 0x3F);
    }
    return length;
}

}  // namespace

bool ToCatalogueText(std::string_view utf8, std::string& gbk, std::string& error) {
    if (auto converted = Utf8ToGbk(utf8); converted && Catalogue::IsStorableText(*converted)) {
        gbk = std::move(*converted);
        return true;
    }
    // Only on failure: convert character by character to name the culprit.
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t codePoint = 0;
        const std::size_t length = Utf8SequenceLength(utf8, i, codePoint);
        if (length == 0) {
            error = "not valid UTF-8 at byte " + std::to_string(i + 1) + " of the cell";
            return false;
        }
        const std::string_view character = utf8.substr(i, length);
        const auto one = Utf8ToGbk(character);
        if (!one || !Catalogue::IsStorableText(*one)) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(codePoint));
            error.assign(1, '\'').append(character).append("' (").append(code).append(
                ") cannot be stored as GBK text");
            return false;
        }
        i += length;
    }
    error = "cannot be converted to GBK";
    return false;
}
