#include <windows.h>

#include <climits>

#include "tools/cattool/text_encoding.h"

namespace {

constexpr UINT kGbkCodePage = 936;

std::optional<std::wstring> ToUtf16(UINT codePage, std::string_view text) {
    if (text.empty()) return std::wstring();
    if (text.size() > INT_MAX) return std::nullopt;
    const int size = static_cast<int>(text.size());
    const int length =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(),
                            length) != length)
        return std::nullopt;
    return wide;
}

// The default-character flag is how WideCharToMultiByte reports a character
// the code page lacks; UTF-8 has none and must not be asked.
std::optional<std::string> FromUtf16(UINT codePage, const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int size = static_cast<int>(wide.size());
    const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultPointer = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr,
                                           usedDefaultPointer);
    if (length <= 0 || usedDefault) return std::nullopt;
    std::string text(static_cast<std::size_t>(length), '\0');
    if (WideCharToMultiByte(codePage, flags, wide.data(), size, text.data(), length, nullptr,
                            usedDefaultPointer) != length ||
        usedDefault)
        return std::nullopt;
    return text;
}

}  // namespace

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
    const auto wide = ToUtf16(CP_UTF8, utf8);
    return wide ? FromUtf16(kGbkCodePage, *wide) : std::nullopt;
}

std::optional<std::string> GbkToUtf8(std::string_view gbk) {
    const auto wide = ToUtf16(kGbkCodePage, gbk);
    return wide ? FromUtf16(CP_UTF8, *wide) : std::nullopt;
}
