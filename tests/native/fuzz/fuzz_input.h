// Reading typed values from a libFuzzer input, zero once it runs out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace fuzz_input {

struct Input {
    const uint8_t* data;
    size_t size;

    template <typename T>
    T take()
    {
        T value{};
        size_t count = size < sizeof(T) ? size : sizeof(T);
        memcpy(&value, data, count);
        data += count;
        size -= count;
        return value;
    }
};

inline void Check(bool condition)
{
    if (!condition)
        abort();
}

} // namespace fuzz_input
