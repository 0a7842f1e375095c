#pragma once
// A property a target holds the code to: when it breaks, the run aborts like a crash, so that
// libFuzzer keeps the input that broke it.
#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void FuzzCheckFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? void() : FuzzCheckFailed(#condition, __FILE__, __LINE__))
