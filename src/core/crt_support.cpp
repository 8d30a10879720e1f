// The few routines the compiler may call on its own (block copies and fills), for a DLL
// that links no C runtime. Built with -fno-builtin so these loops are not turned back into
// calls to themselves.
#include <cstddef>

extern "C" {

#if defined(_MSC_VER)
#pragma function(memset, memcpy, memmove, memcmp)
int _fltused = 0;
#endif

void* memset(void* destination, int value, size_t count)
{
    auto* to = static_cast<unsigned char*>(destination);
    while (count--)
        *to++ = static_cast<unsigned char>(value);
    return destination;
}

void* memcpy(void* destination, const void* source, size_t count)
{
    auto* to = static_cast<unsigned char*>(destination);
    auto* from = static_cast<const unsigned char*>(source);
    while (count--)
        *to++ = *from++;
    return destination;
}

void* memmove(void* destination, const void* source, size_t count)
{
    auto* to = static_cast<unsigned char*>(destination);
    auto* from = static_cast<const unsigned char*>(source);
    if (to < from) {
        while (count--)
            *to++ = *from++;
    } else {
        to += count;
        from += count;
        while (count--)
            *--to = *--from;
    }
    return destination;
}

int memcmp(const void* left, const void* right, size_t count)
{
    auto* a = static_cast<const unsigned char*>(left);
    auto* b = static_cast<const unsigned char*>(right);
    for (; count; --count, ++a, ++b) {
        if (*a != *b)
            return *a < *b ? -1 : 1;
    }
    return 0;
}

} // extern "C"
