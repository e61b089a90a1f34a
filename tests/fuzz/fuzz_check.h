#pragma once
// The harnesses' check of a property, in every build (not assert(), gone with NDEBUG): it aborts
// with the failed condition, so that libFuzzer keeps the input and the replay fails.

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void fuzzFail(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, condition);
    std::abort();
}

#define FUZZ_CHECK(condition) ((condition) ? void(0) : fuzzFail(#condition, __FILE__, __LINE__))
