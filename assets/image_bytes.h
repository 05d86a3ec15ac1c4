#pragma once
#include <cstdint>
#include <cstring>

// An encoded PNG or JPEG compiled into the program: a 32-bit field that is
// always 1, a 32-bit byte count n, then the n bytes of the file, little-endian.
struct ImageBytes {
    const unsigned char* raw;

    std::uint32_t Size() const {
        std::uint32_t n;
        std::memcpy(&n, raw + 4, sizeof n);
        return n;
    }
    const unsigned char* Data() const { return raw + 8; }
};
