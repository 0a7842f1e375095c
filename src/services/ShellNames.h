#pragma once
// The kinds of name a shell item has.

// Which display name: the parsing name (a full path for a file), what the user sees, or the
// name an in-place rename starts from.
enum class TNameKind { Parsing = 0, Normal = 1, Editing = 2 };
