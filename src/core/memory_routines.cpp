#include "memory_routines.h"

namespace varnelle {

void CopyString(const char* source, char* destination)
{
    if (!source || !destination)
        return;
    while ((*destination++ = *source++) != 0) {
    }
}

void CopyBytes(const void* source, void* destination, uint32_t count)
{
    if (!source || !destination)
        return;
    auto* from = static_cast<const unsigned char*>(source);
    auto* to = static_cast<unsigned char*>(destination);
    // Byte-wise word moves: the buffers carry no alignment promise.
    for (uint32_t word = 0; word < count / 4; ++word) {
        to[0] = from[0];
        to[1] = from[1];
        to[2] = from[2];
        to[3] = from[3];
        to += 4;
        from += 4;
    }
    for (uint32_t rest = 0; rest < count % 4; ++rest)
        *to++ = *from++;
}

void FillDwords(uint32_t* destination, uint32_t count, uint32_t value)
{
    if (!destination)
        return;
    uint32_t words = count / 4;
    while (words >= 8) {
        for (int i = 0; i < 8; ++i)
            destination[i] = value;
        destination += 8;
        words -= 8;
    }
    while (words-- > 0)
        *destination++ = value;
}

} // namespace varnelle
