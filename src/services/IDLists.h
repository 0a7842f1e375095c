#pragma once
// Shell item ID lists as raw bytes: a chain of items, each a 16-bit little-endian byte count
// (the count itself included) followed by its data, ended by a zero count. The empty list (a
// lone zero count) is the desktop. Every copy made here comes from TaskMemAlloc; the caller
// frees it with TaskMemFree or hands it to a TOwnedIDList. A failed allocation gives nullptr.
//
// The walks trust a list the program made or got from the shell, except that a count of 1
// (an item too short to hold its own count) ends the list. A list that came from outside the
// program (a drag, the clipboard, another program's data object) goes through the ...Within
// forms first: they never read past the block the list came in, and an item whose count runs
// past the block ends the list there.
#include <cstddef>

// Never defined: only pointers exist. The Win32 layer casts them to and from ITEMIDLIST.
struct TIDList;

// Bytes up to and including the terminator; 0 for nullptr. The empty list has 2.
std::size_t IDListSize(const TIDList* list);
// The size the list has once cut to what fits in a block of `available` bytes starting at it:
// 2 for a block too small to hold even one item, 0 for nullptr or an empty block.
std::size_t IDListSizeWithin(const TIDList* list, std::size_t available);

// Number of items; 0 for the empty list and for nullptr.
int IDListItemCount(const TIDList* list);
bool IsEmptyIDList(const TIDList* list);
// The last item inside list (a pointer into it); the list itself when it is empty.
const TIDList* LastIDListItem(const TIDList* list);

// Equal sizes and equal item bytes. Two nullptrs are equal; nullptr never equals a list.
bool IDListEqual(const TIDList* a, const TIDList* b);

// A copy of the whole list; nullptr for nullptr.
TIDList* CloneIDList(const TIDList* list);
// A well-formed copy of a list from outside the program, cut as IDListSizeWithin says.
TIDList* CloneIDListWithin(const TIDList* list, std::size_t available);
// a without its terminator, then b; a nullptr side counts as the empty list, both nullptr give
// nullptr.
TIDList* ConcatIDLists(const TIDList* a, const TIDList* b);
// All items but the last; nullptr when the list has fewer than two items.
TIDList* CloneParentIDList(const TIDList* list);
// The last item alone; the empty list for the empty list; nullptr for nullptr.
TIDList* CloneLastIDListItem(const TIDList* list);
