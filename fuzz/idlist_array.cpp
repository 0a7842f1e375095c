// A "Shell IDList Array" block from a drag, the clipboard or the shell's view: read within its
// bytes; the lists read are then walked as the program walks its own, and built into a block
// again.
#include "FuzzCheck.h"

#include "interact/ShellIDListArray.h"

#include <cstdint>
#include <vector>

namespace {

using TBytes = std::vector<uint8_t>;

// A list alone in a block of its own size, so that any walk past its end is caught.
TBytes Alone(std::span<const uint8_t> list) {
    return TBytes(list.begin(), list.end());
}

const TIDList* AsList(const TBytes& bytes) {
    return reinterpret_cast<const TIDList*>(bytes.data());
}

bool Within(std::span<const uint8_t> part, std::span<const uint8_t> block) {
    return part.data() >= block.data() && part.data() + part.size() <= block.data() + block.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> block(data, size);
    const auto view = ReadIDListArray(block);
    if (!view)
        return 0;
    FUZZ_CHECK(!view->Children.empty() && Within(view->Parent, block));
    for (const auto& child : view->Children)
        FUZZ_CHECK(Within(child, block));

    std::vector<TBytes> lists{Alone(view->Parent)};
    for (const auto& child : view->Children)
        lists.push_back(Alone(child));
    for (const TBytes& list : lists)
        FUZZ_CHECK(IDListSize(AsList(list)) == list.size());

    std::vector<const TIDList*> children;
    for (size_t i = 1; i < lists.size(); ++i)
        children.push_back(AsList(lists[i]));
    const auto rebuilt = BuildIDListArray(AsList(lists[0]), children);
    FUZZ_CHECK(rebuilt);
    const auto again = ReadIDListArray(*rebuilt);
    FUZZ_CHECK(again && again->Children.size() == view->Children.size());
    FUZZ_CHECK(Alone(again->Parent) == lists[0]);
    for (size_t i = 0; i < children.size(); ++i)
        FUZZ_CHECK(Alone(again->Children[i]) == lists[i + 1]);
    return 0;
}
