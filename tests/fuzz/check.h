// What every fuzz target shares: a model that disagrees stops the run with
// its name (and the input's details, if any), so libFuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void expect(bool ok, const char* what, const char* detail = "") {
  if (ok) return;
  std::fprintf(stderr, "model disagrees: %s %s\n", what, detail);
  std::abort();
}

// A letter of a small alphabet, so that separators and matches are common.
template <std::size_t N>
char16_t letter(const char16_t (&alphabet)[N], unsigned char byte) { return alphabet[byte % N]; }
