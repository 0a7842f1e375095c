#pragma once
// The six orders of a folder's items and the captions at the two ends of each.
#include <cstdint>
#include <string>
#include <vector>

class TFSEView;
class TShellNamespace;

constexpr uint8_t SortSizeAscending = 0;
constexpr uint8_t SortSizeDescending = 1;
constexpr uint8_t SortNameAscending = 2;
constexpr uint8_t SortNameDescending = 3;
constexpr uint8_t SortNewestFirst = 4;
constexpr uint8_t SortOldestFirst = 5;
constexpr uint8_t SortModeCount = 6;

// Texts at the start (end 0) and the finish (end 1) of the order.
const char16_t* SortCaptionText(uint8_t mode, int end);

// Reorders items by the mode with a quicksort around the middle element (equal items may change
// places). byParsingName compares parsing names instead of display names, so that drives sort
// by their letters. Asserts on an unknown mode.
void SortItems(std::vector<TFSEView*>& items, int32_t count, uint8_t mode, bool byParsingName,
               TShellNamespace& shell);
