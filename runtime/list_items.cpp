#include "runtime/list_items.h"

namespace WindowRuntime {
namespace {

const std::string kEmpty;

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWith(const std::string& text, std::string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (FoldAscii(text[i]) != FoldAscii(prefix[i])) return false;
    return true;
}

}  // namespace

int ListItems::Insert(int position, std::int32_t data) {
    if (position < 0 || position > Count()) position = Count();
    items_.insert(items_.begin() + position, Item{data, std::vector<std::string>(columns_)});
    return position;
}

bool ListItems::SetText(int index, int column, std::string_view text) {
    if (index < 0 || index >= Count() || column < 0 || column >= columns_) return false;
    items_[static_cast<std::size_t>(index)].texts[static_cast<std::size_t>(column)] = text;
    return true;
}

const std::string& ListItems::Text(int index, int column) const {
    if (index < 0 || index >= Count() || column < 0 || column >= columns_) return kEmpty;
    return items_[static_cast<std::size_t>(index)].texts[static_cast<std::size_t>(column)];
}

std::int32_t ListItems::Data(int index) const {
    return index < 0 || index >= Count() ? 0 : items_[static_cast<std::size_t>(index)].data;
}

int ListItems::FindPrefix(std::string_view prefix, int start) const {
    const int count = Count();
    if (count == 0) return -1;
    if (start < 0 || start >= count) start = 0;
    for (int n = 0; n < count; ++n) {
        const int index = (start + n) % count;
        if (StartsWith(Text(index, 0), prefix)) return index;
    }
    return -1;
}

}  // namespace WindowRuntime
