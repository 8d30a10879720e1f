// Small copy and fill routines with the argument order the library uses (source first).
// Platform-free: no windows.h.
#pragma once
#include <cstdint>

namespace varnelle {

// Copies up to and including the first 0 byte.
void CopyString(const char* source, char* destination);

// Copies count / 4 whole words in ascending order, then the count % 4 remaining bytes.
// The regions must not overlap.
void CopyBytes(const void* source, void* destination, uint32_t count);

// Stores value into count / 4 consecutive words; count is a multiple of 4.
void FillDwords(uint32_t* destination, uint32_t count, uint32_t value);

} // namespace varnelle
