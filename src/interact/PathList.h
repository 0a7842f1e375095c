#pragma once
// The path list: full paths, each followed by a zero character, and one more zero after the
// last; the one transfer format between the selection, the clipboard, drag and drop and the
// shell's file operations. And the DROPFILES block (CF_HDROP) that carries one.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using TPathList = std::u16string; // holds its zeros; an empty list is one zero

// The list of these paths in order; empty paths are left out.
TPathList BuildPathList(const std::vector<std::u16string>& paths);
// The paths a list holds, in order.
std::vector<std::u16string> PathsOf(const TPathList& list);

// Whether a path names a whole drive or network share ("C:\\", "C:", "\\\\server\\share",
// "\\\\?\\C:\\", either slash): moved or deleted, everything on it would go with it.
bool IsVolumeRoot(std::u16string_view path);
// Whether any path of the list names a whole drive or share.
bool HoldsVolumeRoot(const TPathList& list);

// Size of the DROPFILES header the program writes (pFiles).
constexpr uint32_t DropFilesHeaderSize = 20;

// A CF_HDROP block: the header (pFiles 20, pt (0, 0), fNC 0, fWide 1) and the list after it.
std::vector<uint8_t> BuildDropFiles(const TPathList& list);

// The paths of a CF_HDROP block from anywhere: wide or ANSI as fWide says (ANSI bytes widened
// as Latin-1 unless a converter is given), read only within the block. pFiles may be any offset
// before the block's end. None when the header is short or pFiles lies outside the block. The
// list ends at an empty name or at the block's end; a last name cut off by the block's end
// without its zero is kept when it is not empty, and a wide block's odd last byte is ignored.
std::optional<std::vector<std::u16string>>
ReadDropFiles(std::span<const uint8_t> block,
              std::u16string (*fromAnsi)(std::string_view) = nullptr);
