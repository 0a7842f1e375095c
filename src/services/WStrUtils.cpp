#include "services/WStrUtils.h"

#include "base/Errors.h"

namespace {

// The character at 1-based position i; i must be in range.
char16_t At(std::u16string_view s, int i) {
    return s[static_cast<size_t>(i - 1)];
}

int Length(std::u16string_view s) {
    return static_cast<int>(s.size());
}

} // namespace

std::u16string Copy(std::u16string_view s, int index, int count) {
    GMAssert(index >= 0, "WStrUtils");
    if (index < 1 || index > Length(s) || count < 1)
        return {};
    return std::u16string(s.substr(static_cast<size_t>(index - 1), static_cast<size_t>(count)));
}

void NormalizeTrailingBackslash(std::u16string& s) {
    if (s.empty())
        return;
    if (s.size() > 1 && s.ends_with(u"\\\\"))
        s.pop_back();
    else if (s.back() != u'\\')
        s.push_back(u'\\');
}

std::u16string IntToText(int32_t n) {
    // Work on the magnitude as unsigned so that the most negative value has one too.
    uint32_t magnitude = n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (n < 0)
        digits.insert(digits.begin(), u'-');
    return digits;
}

const char16_t* ScanChar(const char16_t* p, char16_t c) {
    if (!p)
        return nullptr;
    for (;; ++p) {
        if (*p == c)
            return p;
        if (*p == 0)
            return nullptr;
    }
}

int LastDelimiter(std::u16string_view delimiters, std::u16string_view s) {
    for (int i = Length(s); i >= 1; --i) {
        const char16_t c = At(s, i);
        if (c != 0 && delimiters.find(c) != std::u16string_view::npos)
            return i;
    }
    return 0;
}

TCharKind CharKind(std::u16string_view s, int i) {
    if (i < 1 || i > Length(s))
        return TCharKind::Ordinary;
    const char16_t c = At(s, i);
    if (c >= 0xD800 && c <= 0xDBFF)
        return TCharKind::LeadSurrogate;
    if (c >= 0xDC00 && c <= 0xDFFF)
        return TCharKind::TrailSurrogate;
    return TCharKind::Ordinary;
}

bool IsDelimiter(std::u16string_view delimiters, std::u16string_view s, int i) {
    if (i < 1 || i > Length(s) || CharKind(s, i) != TCharKind::Ordinary)
        return false;
    return delimiters.find(At(s, i)) != std::u16string_view::npos;
}

std::u16string ExtractDirectory(std::u16string_view path) {
    int i = LastDelimiter(u"\\:", path);
    // Drop the separator unless it belongs to a root such as C:\ or \\.
    if (i > 1 && At(path, i) == u'\\' && At(path, i - 1) != u'\\' && At(path, i - 1) != u':')
        i -= 1;
    return Copy(path, 1, i);
}

std::u16string ExtractLastComponent(std::u16string_view path) {
    const int n = Length(path);
    if (n == 0)
        return {};
    int j = (n > 1 && At(path, n) == u'\\') ? n - 1 : n;
    while (j > 1 && At(path, j) != u'\\')
        j -= 1;
    if (At(path, j) == u'\\' && j < n)
        j += 1;
    return Copy(path, j, n);
}

std::u16string FindExtension(std::u16string_view path) {
    return std::u16string(FindExtensionView(path));
}

std::u16string_view FindExtensionView(std::u16string_view path) {
    size_t dot = std::u16string_view::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        const char16_t c = path[i];
        if (c == u'.')
            dot = i;
        else if (c == u'\\' || c == u' ')
            dot = std::u16string_view::npos;
    }
    return dot == std::u16string_view::npos ? std::u16string_view() : path.substr(dot);
}

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; };
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

std::u16string ExtendedLengthPath(std::u16string_view path) {
    if (path.starts_with(u"\\\\?\\"))
        return std::u16string(path);
    if (path.size() > 2 && path.starts_with(u"\\\\"))
        return u"\\\\?\\UNC\\" + std::u16string(path.substr(2));
    const bool drive =
        path.size() >= 3 &&
        ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z')) &&
        path[1] == u':' && path[2] == u'\\';
    return drive ? u"\\\\?\\" + std::u16string(path) : std::u16string();
}

std::u16string DriveRootOf(std::u16string_view path) {
    const bool letter = path.size() >= 2 && ((path[0] >= u'A' && path[0] <= u'Z') ||
                                             (path[0] >= u'a' && path[0] <= u'z'));
    if (!letter || path[1] != u':')
        return {};
    return std::u16string(path.substr(0, 2)) + u'\\';
}
