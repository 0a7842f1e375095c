// An ID list from outside the program: the input is the whole block it came in. The bounded
// walk cuts it to a well-formed copy, on which the program's trusting walks then run.
#include "FuzzCheck.h"

#include "services/IDLists.h"
#include "services/OwnedIDList.h"

#include <cstdint>
#include <cstring>

namespace {

const uint8_t* BytesOf(const TIDList* list) {
    return reinterpret_cast<const uint8_t*>(list);
}

bool EndsInTerminator(const TIDList* list) {
    const size_t size = IDListSize(list);
    return size >= 2 && BytesOf(list)[size - 2] == 0 && BytesOf(list)[size - 1] == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto* block = reinterpret_cast<const TIDList*>(data);
    const size_t within = IDListSizeWithin(block, size);
    FUZZ_CHECK(size == 0 ? within == 0 : within >= 2 && (within - 2 <= size));

    const TOwnedIDList list(CloneIDListWithin(block, size));
    if (size == 0) {
        FUZZ_CHECK(!list);
        return 0;
    }
    FUZZ_CHECK(list);
    // The copy holds exactly the items that fit, then a terminator.
    FUZZ_CHECK(IDListSize(list.Get()) == within);
    FUZZ_CHECK(std::memcmp(list.Get(), data, within - 2) == 0);
    FUZZ_CHECK(EndsInTerminator(list.Get()));
    FUZZ_CHECK(IDListEqual(list.Get(), list.Clone().Get()));

    const int items = IDListItemCount(list.Get());
    FUZZ_CHECK(IsEmptyIDList(list.Get()) == (items == 0));
    const TIDList* last = LastIDListItem(list.Get());
    FUZZ_CHECK(BytesOf(last) >= BytesOf(list.Get()) &&
               BytesOf(last) + IDListSize(last) == BytesOf(list.Get()) + within);
    FUZZ_CHECK(IDListItemCount(last) == (items > 0 ? 1 : 0));

    // Parent and last item put back together give the list again.
    const TOwnedIDList parent(CloneParentIDList(list.Get()));
    const TOwnedIDList lastItem(CloneLastIDListItem(list.Get()));
    FUZZ_CHECK(IDListItemCount(lastItem.Get()) == (items > 0 ? 1 : 0));
    if (items < 2) {
        FUZZ_CHECK(!parent);
    } else {
        FUZZ_CHECK(IDListItemCount(parent.Get()) == items - 1);
        const TOwnedIDList whole(ConcatIDLists(parent.Get(), lastItem.Get()));
        FUZZ_CHECK(IDListEqual(whole.Get(), list.Get()));
    }
    const TOwnedIDList twice(ConcatIDLists(list.Get(), list.Get()));
    FUZZ_CHECK(IDListItemCount(twice.Get()) == 2 * items);
    FUZZ_CHECK(IDListSize(twice.Get()) == 2 * within - 2);
    FUZZ_CHECK(EndsInTerminator(twice.Get()));
    return 0;
}
