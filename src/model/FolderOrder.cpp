#include "model/FolderOrder.h"

#include "base/Errors.h"
#include "model/FolderItem.h"
#include "model/ShellNamespace.h"

namespace {

int CompareNumbers(uint64_t a, uint64_t b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

class TItemComparer {
public:
    TItemComparer(uint8_t mode, bool byParsingName, TShellNamespace& shell)
        : FMode(mode), FByParsingName(byParsingName), FShell(shell) {
        GMAssert(mode < SortModeCount, "FileCollections");
    }

    int operator()(const TFSEView* a, const TFSEView* b) const {
        switch (FMode) {
        case SortSizeAscending:
            return CompareNumbers(a->Size(), b->Size());
        case SortSizeDescending:
            return -CompareNumbers(a->Size(), b->Size());
        case SortNameAscending:
            return CompareNames(a, b);
        case SortNameDescending:
            return -CompareNames(a, b);
        case SortNewestFirst:
            return -CompareNumbers(a->WriteTime(), b->WriteTime());
        default:
            return CompareNumbers(a->WriteTime(), b->WriteTime());
        }
    }

private:
    int CompareNames(const TFSEView* a, const TFSEView* b) const {
        if (FByParsingName)
            return FShell.Compare(a->Path(), b->Path());
        return FShell.Compare(a->DisplayName(), b->DisplayName());
    }

    uint8_t FMode;
    bool FByParsingName;
    TShellNamespace& FShell;
};

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
    const std::string* Key;
};

// Name orders through the shell's sort keys: each name is turned into a key once instead of
// being compared about log2(n) times. False when the shell gives no keys.
bool SortByNameKeys(std::vector<TFSEView*>& items, int32_t count, bool descending,
                    bool byParsingName, TShellNamespace& shell) {
    std::vector<std::string> keys(count);
    std::vector<TKeyedItem> keyed(count);
    for (int32_t i = 0; i < count; ++i) {
        const std::u16string& name = byParsingName ? items[i]->Path() : items[i]->DisplayName();
        if (!shell.SortKey(name, keys[i]))
            return false;
        keyed[i] = {items[i], &keys[i]};
    }
    const int sign = descending ? -1 : 1;
    QuickSort(keyed, 0, count - 1, [sign](const TKeyedItem& a, const TKeyedItem& b) {
        return sign * a.Key->compare(*b.Key);
    });
    for (int32_t i = 0; i < count; ++i)
        items[i] = keyed[i].Item;
    return true;
}

} // namespace

const char16_t* SortCaptionText(uint8_t mode, int end) {
    static const char16_t* const Texts[SortModeCount][2] = {
        {u"small", u"large"}, {u"large", u"small"}, {u"ABC", u"XYZ"},
        {u"XYZ", u"ABC"},     {u"recent", u"old"},  {u"old", u"recent"}};
    GMAssert(mode < SortModeCount && (end == 0 || end == 1), "FileCollections");
    return Texts[mode][end];
}

void SortItems(std::vector<TFSEView*>& items, int32_t count, uint8_t mode, bool byParsingName,
               TShellNamespace& shell) {
    const TItemComparer compare(mode, byParsingName, shell);
    if (count < 2)
        return;
    const bool byName = mode == SortNameAscending || mode == SortNameDescending;
    if (byName && SortByNameKeys(items, count, mode == SortNameDescending, byParsingName, shell))
        return;
    QuickSort(items, 0, count - 1, compare);
}
