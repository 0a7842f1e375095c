#include "base/GLInfo.h"

#include <cstring>

namespace {

bool ReadNumber(const char*& p, int& value) {
    if (*p < '0' || *p > '9')
        return false;
    value = 0;
    while (*p >= '0' && *p <= '9' && value < 100000)
        value = value * 10 + (*p++ - '0');
    return true;
}

} // namespace

bool ParseGLVersion(const char* version, int& major, int& minor) {
    major = minor = 0;
    if (!version)
        return false;
    const char* p = version;
    int first = 0, second = 0;
    if (!ReadNumber(p, first) || *p++ != '.' || !ReadNumber(p, second))
        return false;
    major = first;
    minor = second;
    return true;
}

bool HasGLExtension(const char* extensions, const char* name) {
    if (!extensions || !name || !*name)
        return false;
    const size_t length = std::strlen(name);
    for (const char* p = extensions; (p = std::strstr(p, name)) != nullptr; p += length) {
        const bool startsWord = p == extensions || p[-1] == ' ';
        const bool endsWord = p[length] == ' ' || p[length] == '\0';
        if (startsWord && endsWord)
            return true;
    }
    return false;
}
