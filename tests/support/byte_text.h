// Building and showing binary file contents in tests.
#pragma once

#include <stdint.h>

#include <initializer_list>
#include <string>

// value as a little-endian field of count bytes (zeros past the fourth).
inline std::string le_field(uint32_t value, int count)
{
    std::string field;
    for (int i = 0; i < count; i++)
        field += (char)(i < 4 ? (value >> (8 * i)) & 0xFF : 0);
    return field;
}

inline std::string byte_string(std::initializer_list<uint8_t> list)
{
    return std::string(list.begin(), list.end());
}
