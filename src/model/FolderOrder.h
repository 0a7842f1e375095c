#pragma once
// The six orders of a folder's items. One table gives each order its comparer, the captions at
// the two ends of a level and its entry in the sort menu.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TFSEView;
class TShellNamespace;

enum class TSortOrder : uint8_t {
    SizeAscending,
    SizeDescending,
    NameAscending,
    NameDescending,
    NewestFirst,
    OldestFirst,
};
constexpr size_t SortOrderCount = 6;
// The order of a level that has no parent to take its order from.
constexpr TSortOrder DefaultSortOrder = TSortOrder::NameAscending;

// The two ends of a level's order; each shows a caption naming the order from there. The values
// are the sort captions' kinds.
enum class TOrderEnd : uint8_t { Start = 0, Finish = 1 };

// What an order compares.
enum class TSortKey : uint8_t { Size, Name, WriteTime };

// Compares names as the shell orders them: parsing names (so that drives sort by their
// letters) or display names.
class TNameOrder {
public:
    TNameOrder(TShellNamespace& shell, bool byParsingName)
        : FShell(shell), FByParsingName(byParsingName) {}
    const std::u16string& NameOf(const TFSEView& item) const;
    int operator()(const TFSEView& a, const TFSEView& b) const;
    TShellNamespace& Shell() const { return FShell; }

private:
    TShellNamespace& FShell;
    bool FByParsingName;
};

struct TItemComparer {
    TSortKey Key;
    bool Descending;
    // Negative when a goes first, 0 when the key does not tell them apart.
    int operator()(const TFSEView& a, const TFSEView& b, const TNameOrder& names) const;
};

struct TSortOrderRow {
    TSortOrder Order;
    // The same order read from the other end.
    TSortOrder Reversed;
    TItemComparer Compare;
    // The captions at the start and at the finish, indexed by TOrderEnd.
    std::array<const char16_t*, 2> Captions;
    // The order's entry in the sort menu.
    const char16_t* MenuEnglish;
    const char16_t* MenuRussian;
    // A separator goes before the entry.
    bool StartsMenuGroup;
};

// Every order once, in the sort menu's order.
extern const std::array<TSortOrderRow, SortOrderCount> SortOrders;

// Asserts on a value that is no order.
const TSortOrderRow& SortOrderRow(TSortOrder order);
const char16_t* SortCaptionText(TSortOrder order, TOrderEnd end);
// The order a sort menu entry sets when the menu was opened from the caption at end: the one
// whose caption there reads as the entry.
TSortOrder OrderChosenAt(TSortOrder entry, TOrderEnd end);

// Reorders items with a quicksort around the middle element (equal items may change places).
// byParsingName compares parsing names instead of display names.
void SortItems(std::vector<TFSEView*>& items, int32_t count, TSortOrder order, bool byParsingName,
               TShellNamespace& shell);
