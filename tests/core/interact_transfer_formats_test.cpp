#include "interact/PathList.h"
#include "interact/ShellIDListArray.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using TBytes = std::vector<uint8_t>;
using TPaths = std::vector<std::u16string>;

TBytes LE32(uint32_t value) {
    return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
}

TBytes Concat(std::initializer_list<TBytes> parts) {
    TBytes all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// A DROPFILES header with the given pFiles and fWide, the rest zero.
TBytes Header(uint32_t filesAt, uint32_t wide) {
    return Concat({LE32(filesAt), LE32(0), LE32(0), LE32(0), LE32(wide)});
}

// Exactly-sized heap copies, so that ASan catches a read one byte past the block.
std::vector<uint8_t> Exact(const TBytes& bytes) {
    return TBytes(bytes.begin(), bytes.end());
}

} // namespace

TEST(TransferPathList, RoundTripsAndSizes) {
    const TPaths paths{u"C:\\a.txt", u"", u"D:\\Ordner\\b\u00e4r"};
    const TPathList list = BuildPathList(paths);
    EXPECT_EQ(list.size() * 2, (8u + 13u + 2u + 1u) * 2);
    EXPECT_EQ(PathsOf(list), (TPaths{u"C:\\a.txt", u"D:\\Ordner\\b\u00e4r"}));
    EXPECT_EQ(BuildPathList({}), TPathList(1, u'\0'));
    EXPECT_TRUE(PathsOf(BuildPathList({})).empty());
}

TEST(TransferDropFiles, HeaderBytesAndWideRoundTrip) {
    const TBytes block = BuildDropFiles(BuildPathList({u"C:\\x", u"\u0416"}));
    EXPECT_EQ(TBytes(block.begin(), block.begin() + DropFilesHeaderSize), Header(20, 1));
    EXPECT_EQ(TBytes(block.begin() + DropFilesHeaderSize, block.end()),
              (TBytes{'C', 0, ':', 0, '\\', 0, 'x', 0, 0, 0, 0x16, 0x04, 0, 0, 0, 0}));
    EXPECT_EQ(ReadDropFiles(block), (TPaths{u"C:\\x", u"\u0416"}));
}

TEST(TransferDropFiles, ReadsAnsiBlocksAndAnyInsideOffset) {
    // pFiles past a larger header; bytes widened as Latin-1 or by the converter.
    const TBytes ansi = Concat({Header(24, 0), LE32(0xFFFFFFFF), {'a', 0xE4, 0, 'b', 0, 0}});
    EXPECT_EQ(ReadDropFiles(ansi), (TPaths{u"a\u00e4", u"b"}));
    const auto upper = [](std::string_view s) { return std::u16string(s.size(), u'U'); };
    EXPECT_EQ(ReadDropFiles(ansi, +upper), (TPaths{u"UU", u"U"}));
}

TEST(TransferDropFiles, HostileBlocksStayWithinTheirBytes) {
    EXPECT_EQ(ReadDropFiles(Exact(TBytes(19, 0))), std::nullopt);
    // pFiles at the block's end or far past it.
    EXPECT_EQ(ReadDropFiles(Exact(Header(20, 1))), std::nullopt);
    EXPECT_EQ(ReadDropFiles(Exact(Concat({Header(0xFFFFFFF0, 1), {'a', 0}}))), std::nullopt);
    // No final zeros: the cut last name is kept, an odd byte ignored.
    EXPECT_EQ(ReadDropFiles(Exact(Concat({Header(20, 1), {'a', 0, 0, 0, 'b', 0}}))).value(),
              (TPaths{u"a", u"b"}));
    EXPECT_EQ(ReadDropFiles(Exact(Concat({Header(20, 1), {'a', 0, 'b', 0, 'c'}}))).value(),
              TPaths{u"ab"});
    EXPECT_EQ(ReadDropFiles(Exact(Concat({Header(20, 0), {'x', 'y'}}))).value(), TPaths{u"xy"});
    EXPECT_TRUE(ReadDropFiles(Exact(Concat({Header(20, 1), {0}}))).value().empty());
}

namespace {

// ID lists: items of a 16-bit count (itself included) and a payload, then a zero count.
const TBytes Parent{5, 0, 'p', 'q', 'r', 0, 0};
const TBytes ChildA{3, 0, 'a', 0, 0};
const TBytes ChildB{4, 0, 'b', 'b', 0, 0};

const TIDList* AsList(const TBytes& bytes) {
    return reinterpret_cast<const TIDList*>(bytes.data());
}

TBytes Span(std::span<const uint8_t> span) {
    return TBytes(span.begin(), span.end());
}

TBytes TwoChildArray() {
    return BuildIDListArray(AsList(Parent), {AsList(ChildA), AsList(ChildB)}).value();
}

} // namespace

TEST(TransferIDListArray, LaysOutParentThenChildren) {
    const TBytes block = TwoChildArray();
    EXPECT_EQ(block.size(), 8u + 4u * 2 + 7u + 5u + 6u);
    EXPECT_EQ(TBytes(block.begin(), block.begin() + 16),
              Concat({LE32(2), LE32(16), LE32(23), LE32(28)}));
    EXPECT_EQ(TBytes(block.begin() + 16, block.end()), Concat({Parent, ChildA, ChildB}));

    const auto view = ReadIDListArray(block);
    ASSERT_TRUE(view);
    EXPECT_EQ(Span(view->Parent), Parent);
    ASSERT_EQ(view->Children.size(), 2u);
    EXPECT_EQ(Span(view->Children[0]), ChildA);
    EXPECT_EQ(Span(view->Children[1]), ChildB);

    EXPECT_EQ(BuildIDListArray(AsList(Parent), {}), std::nullopt);
    EXPECT_EQ(BuildIDListArray(nullptr, {AsList(ChildA)}), std::nullopt);
    EXPECT_EQ(BuildIDListArray(AsList(Parent), {AsList(ChildA), nullptr}), std::nullopt);
}

TEST(TransferIDListArray, RejectsBlocksThatDoNotHoldTheirLists) {
    const TBytes good = TwoChildArray();
    // Every cut of the block loses a terminator or an offset's target.
    for (std::size_t size = 0; size < good.size(); ++size)
        EXPECT_EQ(ReadIDListArray(TBytes(good.begin(), good.begin() + size)), std::nullopt) << size;

    TBytes pastEnd = good;
    const TBytes end = LE32(static_cast<uint32_t>(good.size()));
    std::copy(end.begin(), end.end(), pastEnd.begin() + 12);
    EXPECT_EQ(ReadIDListArray(pastEnd), std::nullopt);

    for (const uint32_t count : {0u, 3u, 0xFFFFFFFFu}) {
        TBytes wrongCount = good;
        const TBytes bytes = LE32(count);
        std::copy(bytes.begin(), bytes.end(), wrongCount.begin());
        EXPECT_EQ(ReadIDListArray(wrongCount), std::nullopt) << count;
    }

    // A huge count over a table whose first entries are sound must not walk off the block.
    EXPECT_EQ(ReadIDListArray(Exact(Concat({LE32(0xFFFFFFFF), LE32(8), {0, 0}}))), std::nullopt);

    // The last child's item runs to the block's end, with no terminator after it.
    TBytes unterminated = good;
    unterminated.resize(unterminated.size() - 2);
    unterminated.push_back(0x7F);
    unterminated.push_back(0);
    EXPECT_EQ(ReadIDListArray(Exact(unterminated)), std::nullopt);
}

TEST(TransferPathList, LargestSelection) {
    // A whole folder of a hundred thousand items with paths of the longest length selected.
    constexpr size_t Count = 100000;
    constexpr size_t Length = 259;
    TPaths paths;
    paths.reserve(Count);
    for (size_t i = 0; i < Count; ++i) {
        paths.push_back(std::u16string(Length - 1, u'x') + char16_t(u'0' + i % 10));
    }
    const TPathList list = BuildPathList(paths);
    EXPECT_EQ(list.size(), Count * (Length + 1) + 1);
    EXPECT_EQ(list.back(), u'\0');
    const TBytes block = BuildDropFiles(list);
    EXPECT_EQ(block.size(), DropFilesHeaderSize + list.size() * 2);
    const auto read = ReadDropFiles(block);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, paths);
}

TEST(TransferPathList, WholeDrivesAndSharesAreKnownInAnyList) {
    for (const std::u16string root :
         {u"C:\\", u"C:", u"z:/", u"C:\\\\", u"\\", u"\\\\server", u"\\\\server\\share",
          u"\\\\server\\share\\", u"//srv/share", u"\\\\?\\C:\\", u"\\\\?\\UNC\\server\\share",
          u"\\\\.\\D:", u"\\\\?\\Volume{1b3c}\\"})
        EXPECT_TRUE(IsVolumeRoot(root)) << std::string(root.begin(), root.end());
    for (const std::u16string path :
         {u"", u"C:\\a", u"C:a", u"C:\\a\\", u"\\\\server\\share\\dir", u"\\\\?\\C:\\x",
          u"\\\\?\\UNC\\server\\share\\x", u"relative", u"\\dir"})
        EXPECT_FALSE(IsVolumeRoot(path)) << std::string(path.begin(), path.end());
    EXPECT_FALSE(HoldsVolumeRoot(BuildPathList({u"C:\\a", u"Z:\\tmp\\b"})));
    EXPECT_TRUE(HoldsVolumeRoot(BuildPathList({u"C:\\a", u"Z:\\"})));
    EXPECT_FALSE(HoldsVolumeRoot(BuildPathList({})));
}
