#pragma once
// The Win32 boundary: the core speaks std::u16string, Win32 speaks wchar_t (both UTF-16 here).
#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide strings are UTF-16");

inline const wchar_t* AsWide(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}

inline std::wstring ToWide(std::u16string_view s) {
    return std::wstring(reinterpret_cast<const wchar_t*>(s.data()), s.size());
}

inline std::u16string FromWide(std::wstring_view s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s.data()), s.size());
}

inline std::u16string FromWide(const wchar_t* s) {
    return s ? FromWide(std::wstring_view(s)) : std::u16string();
}
