#include "model/FolderOrder.h"

#include <string>
#include <string_view>

#include "base/Errors.h"
#include "model/FolderItem.h"
#include "model/ShellNamespace.h"

namespace {

int CompareNumbers(uint64_t a, uint64_t b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

const char* const Module = "FileCollections";

template <class TEntry, class TCompare>
void QuickSort(std::vector<TEntry>& items, int32_t low, int32_t high, const TCompare& compare) {
    while (low < high) {
        int32_t i = low;
        int32_t j = high;
        const int32_t middle = low + (high - low) / 2;
        // The pivot is copied: its slot moves while the partition runs.
        const TEntry pivot = items[middle];
        while (i <= j) {
            while (compare(items[i], pivot) < 0)
                ++i;
            while (compare(items[j], pivot) > 0)
                --j;
            if (i <= j) {
                std::swap(items[i], items[j]);
                ++i;
                --j;
            }
        }
        // Recurse into the smaller side so that the depth stays logarithmic.
        if (j - low < high - i) {
            QuickSort(items, low, j, compare);
            low = i;
        } else {
            QuickSort(items, i, high, compare);
            high = j;
        }
    }
}

// An item with its name's sort key.
struct TKeyedItem {
    TFSEView* Item;
    uint32_t KeyStart;
    uint32_t KeyLength;
};

// Name orders through the shell's sort keys: each name is turned into a key once instead of
// being compared about log2(n) times. False when the shell gives no keys.
bool SortByNameKeys(std::vector<TFSEView*>& items, int32_t count, bool descending,
                    const TNameOrder& names) {
    // All keys in one buffer: a folder of 100,000 names would otherwise hold 100,000 strings.
    std::string keys;
    std::string key;
    std::vector<TKeyedItem> keyed(count);
    for (int32_t i = 0; i < count; ++i) {
        if (!names.Shell().SortKey(names.NameOf(*items[i]), key))
            return false;
        keyed[i] = {items[i], static_cast<uint32_t>(keys.size()),
                    static_cast<uint32_t>(key.size())};
        keys += key;
    }
    const auto keyOf = [&keys](const TKeyedItem& item) {
        return std::string_view(keys).substr(item.KeyStart, item.KeyLength);
    };
    const int sign = descending ? -1 : 1;
    QuickSort(keyed, 0, count - 1, [sign, &keyOf](const TKeyedItem& a, const TKeyedItem& b) {
        return sign * keyOf(a).compare(keyOf(b));
    });
    for (int32_t i = 0; i < count; ++i)
        items[i] = keyed[i].Item;
    return true;
}

} // namespace

const std::array<TSortOrderRow, SortOrderCount> SortOrders = {{
    {TSortOrder::NameAscending,
     TSortOrder::NameDescending,
     {TSortKey::Name, false},
     {u"ABC", u"XYZ"},
     u"ABC",
     u"АБВ",
     false},
    {TSortOrder::NameDescending,
     TSortOrder::NameAscending,
     {TSortKey::Name, true},
     {u"XYZ", u"ABC"},
     u"XYZ",
     u"ЭЮЯ",
     false},
    {TSortOrder::SizeAscending,
     TSortOrder::SizeDescending,
     {TSortKey::Size, false},
     {u"small", u"large"},
     u"small",
     u"маленькие",
     true},
    {TSortOrder::SizeDescending,
     TSortOrder::SizeAscending,
     {TSortKey::Size, true},
     {u"large", u"small"},
     u"large",
     u"большие",
     false},
    {TSortOrder::NewestFirst,
     TSortOrder::OldestFirst,
     {TSortKey::WriteTime, true},
     {u"recent", u"old"},
     u"recent",
     u"новые",
     true},
    {TSortOrder::OldestFirst,
     TSortOrder::NewestFirst,
     {TSortKey::WriteTime, false},
     {u"old", u"recent"},
     u"old",
     u"старые",
     false},
}};

const std::u16string& TNameOrder::NameOf(const TFSEView& item) const {
    return FByParsingName ? item.Path() : item.DisplayName();
}

int TNameOrder::operator()(const TFSEView& a, const TFSEView& b) const {
    return FShell.Compare(NameOf(a), NameOf(b));
}

int TItemComparer::operator()(const TFSEView& a, const TFSEView& b, const TNameOrder& names) const {
    int ascending = 0;
    switch (Key) {
    case TSortKey::Size:
        ascending = CompareNumbers(a.Size(), b.Size());
        break;
    case TSortKey::Name:
        ascending = names(a, b);
        break;
    case TSortKey::WriteTime:
        ascending = CompareNumbers(a.WriteTime(), b.WriteTime());
        break;
    }
    return Descending ? -ascending : ascending;
}

const TSortOrderRow& SortOrderRow(TSortOrder order) {
    for (const TSortOrderRow& row : SortOrders)
        if (row.Order == order)
            return row;
    GMAssert(false, Module);
    return SortOrders[0];
}

const char16_t* SortCaptionText(TSortOrder order, TOrderEnd end) {
    return SortOrderRow(order).Captions[static_cast<size_t>(end)];
}

TSortOrder OrderChosenAt(TSortOrder entry, TOrderEnd end) {
    return end == TOrderEnd::Start ? entry : SortOrderRow(entry).Reversed;
}

void SortItems(std::vector<TFSEView*>& items, int32_t count, TSortOrder order, bool byParsingName,
               TShellNamespace& shell) {
    const TItemComparer compare = SortOrderRow(order).Compare;
    if (count < 2)
        return;
    const TNameOrder names(shell, byParsingName);
    if (compare.Key == TSortKey::Name && SortByNameKeys(items, count, compare.Descending, names))
        return;
    QuickSort(items, 0, count - 1,
              [&](const TFSEView* a, const TFSEView* b) { return compare(*a, *b, names); });
}
