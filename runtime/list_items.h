#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace WindowRuntime {

// The items of a report list, kept by the run time itself: the list control
// is an owner-data list that asks for the texts of the rows it draws, so
// filling a hundred thousand items costs no drawing at all.
class ListItems {
  public:
    explicit ListItems(int columns) : columns_(columns > 0 ? columns : 1) {}

    int Count() const { return static_cast<int>(items_.size()); }
    // Inserts an item with empty texts; a position outside 0..Count() means
    // the end. Returns the item's index.
    int Insert(int position, std::int32_t data);
    // False, and nothing stored, for an item or column the list lacks.
    bool SetText(int index, int column, std::string_view text);
    // Empty for an item or column the list lacks.
    const std::string& Text(int index, int column) const;
    std::int32_t Data(int index) const;  // 0 for an item the list lacks
    void Clear() { items_.clear(); }
    // The first item from `start` on, wrapping round, whose first column
    // begins with `prefix` (ASCII letters in either case); -1 if none.
    int FindPrefix(std::string_view prefix, int start) const;

  private:
    struct Item {
        std::int32_t data;
        std::vector<std::string> texts;
    };
    int columns_;
    std::vector<Item> items_;
};

}  // namespace WindowRuntime
