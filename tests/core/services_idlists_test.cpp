#include "services/IDLists.h"
#include "services/OwnedIDList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using TBytes = std::vector<uint8_t>;

// An item: its count, then the payload.
TBytes Item(std::initializer_list<uint8_t> payload) {
    TBytes item{static_cast<uint8_t>(payload.size() + 2), 0};
    item.insert(item.end(), payload);
    return item;
}

TBytes List(std::initializer_list<TBytes> items) {
    TBytes list;
    for (const auto& item : items)
        list.insert(list.end(), item.begin(), item.end());
    list.insert(list.end(), {0, 0});
    return list;
}

const TIDList* AsList(const TBytes& bytes) {
    return reinterpret_cast<const TIDList*>(bytes.data());
}

TBytes BytesOf(const TOwnedIDList& list) {
    const auto* p = reinterpret_cast<const uint8_t*>(list.Get());
    return p ? TBytes(p, p + IDListSize(list.Get())) : TBytes{};
}

const TBytes A = Item({1, 2, 3});
const TBytes B = Item({4});
const TBytes C = Item({5, 6});
const TBytes Empty = List({});

} // namespace

TEST(IDLists, SizeCountAndEquality) {
    EXPECT_EQ(IDListSize(AsList(Empty)), 2u);
    EXPECT_EQ(IDListSize(AsList(List({A, B, C}))), 5u + 3u + 4u + 2u);
    EXPECT_EQ(IDListSize(nullptr), 0u);
    EXPECT_EQ(IDListItemCount(AsList(List({A, B, C}))), 3);
    EXPECT_TRUE(IsEmptyIDList(AsList(Empty)));

    EXPECT_TRUE(IDListEqual(AsList(List({A, B})), AsList(List({A, B}))));
    EXPECT_FALSE(IDListEqual(AsList(List({A, B})), AsList(List({A, C}))));
    EXPECT_FALSE(IDListEqual(AsList(List({A})), AsList(List({A, B}))));
    EXPECT_FALSE(IDListEqual(AsList(Empty), nullptr));
    // Same bytes split into other items: another list.
    EXPECT_FALSE(
        IDListEqual(AsList(List({Item({7, 8, 9, 10})})), AsList(List({Item({7, 8}), Item({})}))));
}

TEST(IDLists, CountOfOneEndsTheList) {
    TBytes list = A;
    list.insert(list.end(), {1, 0, 0xFF, 0xFF});
    EXPECT_EQ(IDListSize(AsList(list)), A.size() + 2);
    EXPECT_EQ(BytesOf(TOwnedIDList(CloneIDList(AsList(list)))), List({A}));
}

TEST(IDLists, CloneConcatParentLast) {
    const TBytes abc = List({A, B, C});
    TOwnedIDList clone(CloneIDList(AsList(abc)));
    EXPECT_NE(static_cast<const void*>(clone.Get()), abc.data());
    EXPECT_EQ(BytesOf(clone), abc);

    EXPECT_EQ(BytesOf(TOwnedIDList(ConcatIDLists(AsList(List({A})), AsList(List({B, C}))))), abc);
    EXPECT_EQ(BytesOf(TOwnedIDList(ConcatIDLists(AsList(Empty), AsList(List({B}))))), List({B}));
    EXPECT_EQ(BytesOf(TOwnedIDList(ConcatIDLists(nullptr, AsList(List({C}))))), List({C}));
    EXPECT_EQ(ConcatIDLists(nullptr, nullptr), nullptr);

    EXPECT_EQ(BytesOf(TOwnedIDList(CloneParentIDList(AsList(abc)))), List({A, B}));
    EXPECT_EQ(CloneParentIDList(AsList(List({A}))), nullptr);
    EXPECT_EQ(CloneParentIDList(AsList(Empty)), nullptr);

    EXPECT_EQ(BytesOf(TOwnedIDList(CloneLastIDListItem(AsList(abc)))), List({C}));
    EXPECT_EQ(BytesOf(TOwnedIDList(CloneLastIDListItem(AsList(Empty)))), Empty);
    EXPECT_EQ(CloneLastIDListItem(nullptr), nullptr);
}

TEST(IDLists, ListsFromOutsideNeverReadPastTheirBlock) {
    // Each block is copied into a heap allocation of exactly its size, so AddressSanitizer
    // catches a single byte read beyond it.
    auto within = [](const TBytes& block) {
        auto* exact = new uint8_t[block.size() + (block.empty() ? 1 : 0)];
        if (!block.empty())
            std::memcpy(exact, block.data(), block.size());
        const auto* list = reinterpret_cast<const TIDList*>(exact);
        const std::size_t size = IDListSizeWithin(list, block.size());
        TOwnedIDList copy(CloneIDListWithin(list, block.size()));
        delete[] exact;
        EXPECT_EQ(IDListSize(copy.Get()), size);
        return BytesOf(copy);
    };
    const TBytes ab = List({A, B});
    EXPECT_EQ(within(ab), ab);
    EXPECT_EQ(within(TBytes(ab.begin(), ab.end() - 2)), ab);        // no terminator
    EXPECT_EQ(within(TBytes(ab.begin(), ab.end() - 1)), ab);        // half a terminator
    EXPECT_EQ(within(TBytes(ab.begin(), ab.end() - 3)), List({A})); // B runs past the end
    TBytes huge = A;
    huge.insert(huge.end(), {0xFF, 0xFF, 1, 2, 0, 0});
    EXPECT_EQ(within(huge), List({A}));
    TBytes one = A;
    one.insert(one.end(), {1, 0, 9, 9, 0, 0});
    EXPECT_EQ(within(one), List({A}));
    EXPECT_EQ(within(TBytes{5}), Empty);
    EXPECT_EQ(within(TBytes{}), TBytes{});
}

TEST(IDLists, OwnerFreesOnEveryPath) {
    // The leak checker of the sanitised build sees any list left behind.
    TOwnedIDList first(CloneIDList(AsList(List({A}))));
    TIDList* raw = first.Get();
    TOwnedIDList second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.Get(), raw);
    second = second.Clone();
    EXPECT_EQ(BytesOf(second), List({A}));
    *second.Receive() = CloneIDList(AsList(Empty));
    EXPECT_TRUE(IsEmptyIDList(second.Get()));
    TaskMemFree(second.Release());
    EXPECT_FALSE(second);
}
