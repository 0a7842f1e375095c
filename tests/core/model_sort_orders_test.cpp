#include "base/Errors.h"
#include "model/FolderOrder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string Caption(TSortOrder order, TOrderEnd end) {
    return SortCaptionText(order, end);
}

} // namespace

TEST(SortOrders, EveryOrderHasExactlyOneRow) {
    for (size_t value = 0; value < SortOrderCount; ++value) {
        const auto order = static_cast<TSortOrder>(value);
        int rows = 0;
        for (const TSortOrderRow& row : SortOrders)
            rows += row.Order == order ? 1 : 0;
        EXPECT_EQ(rows, 1) << value;
        EXPECT_EQ(SortOrderRow(order).Order, order);
    }
    EXPECT_THROW(SortOrderRow(static_cast<TSortOrder>(SortOrderCount)), EAssertionFailed);
}

TEST(SortOrders, EachOrderReadFromTheOtherEndIsItsPair) {
    for (const TSortOrderRow& row : SortOrders) {
        const TSortOrderRow& reversed = SortOrderRow(row.Reversed);
        EXPECT_NE(row.Reversed, row.Order);
        EXPECT_EQ(reversed.Reversed, row.Order);
        EXPECT_EQ(reversed.Compare.Key, row.Compare.Key);
        EXPECT_NE(reversed.Compare.Descending, row.Compare.Descending);
        EXPECT_EQ(Caption(row.Reversed, TOrderEnd::Start), Caption(row.Order, TOrderEnd::Finish));
        EXPECT_EQ(Caption(row.Reversed, TOrderEnd::Finish), Caption(row.Order, TOrderEnd::Start));
    }
}

TEST(SortOrders, MenuEntriesInTheirGroupsSetTheOrderThatReadsAsTheEntryAtTheCaptionsEnd) {
    const struct {
        const char16_t* Text;
        bool StartsGroup;
        TSortOrder AtStart;
        TSortOrder AtFinish;
    } menu[] = {
        {u"ABC", false, TSortOrder::NameAscending, TSortOrder::NameDescending},
        {u"XYZ", false, TSortOrder::NameDescending, TSortOrder::NameAscending},
        {u"small", true, TSortOrder::SizeAscending, TSortOrder::SizeDescending},
        {u"large", false, TSortOrder::SizeDescending, TSortOrder::SizeAscending},
        {u"recent", true, TSortOrder::NewestFirst, TSortOrder::OldestFirst},
        {u"old", false, TSortOrder::OldestFirst, TSortOrder::NewestFirst},
    };
    ASSERT_EQ(std::size(menu), SortOrders.size());
    for (size_t i = 0; i < SortOrders.size(); ++i) {
        const TSortOrderRow& row = SortOrders[i];
        EXPECT_EQ(std::u16string(row.MenuEnglish), menu[i].Text) << i;
        EXPECT_NE(std::u16string(row.MenuRussian), u"") << i;
        EXPECT_EQ(row.StartsMenuGroup, menu[i].StartsGroup) << i;
        const TSortOrder atStart = OrderChosenAt(row.Order, TOrderEnd::Start);
        const TSortOrder atFinish = OrderChosenAt(row.Order, TOrderEnd::Finish);
        EXPECT_EQ(atStart, menu[i].AtStart) << i;
        EXPECT_EQ(atFinish, menu[i].AtFinish) << i;
        EXPECT_EQ(Caption(atStart, TOrderEnd::Start), menu[i].Text) << i;
        EXPECT_EQ(Caption(atFinish, TOrderEnd::Finish), menu[i].Text) << i;
    }
}
