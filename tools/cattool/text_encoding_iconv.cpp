#include <errno.h>
#include <iconv.h>

#include "tools/cattool/text_encoding.h"

namespace {

class IconvHandle {
  public:
    IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (valid()) iconv_close(handle_);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return handle_; }

  private:
    iconv_t handle_;
};

std::optional<std::string> Convert(const char* to, const char* from, std::string_view input) {
    IconvHandle converter(to, from);
    if (!converter.valid()) return std::nullopt;
    std::string output(input.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::size_t written = 0;
    for (;;) {
        char* out = output.data() + written;
        std::size_t outLeft = output.size() - written;
        const std::size_t result = inLeft
                                       ? iconv(converter.get(), &in, &inLeft, &out, &outLeft)
                                       : iconv(converter.get(), nullptr, nullptr, &out, &outLeft);
        written = output.size() - outLeft;
        if (result == static_cast<std::size_t>(-1)) {
            if (errno != E2BIG) return std::nullopt;  // unmappable or broken input
            output.resize(output.size() * 2);
            continue;
        }
        // A positive count means characters were replaced, not converted.
        if (result != 0) return std::nullopt;
        if (inLeft == 0) break;
    }
    // The last call above flushed the shift state with no input left.
    output.resize(written);
    return output;
}

}  // namespace

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
    return Convert("GBK", "UTF-8", utf8);
}
std::optional<std::string> GbkToUtf8(std::string_view gbk) {
    return Convert("UTF-8", "GBK", gbk);
}
