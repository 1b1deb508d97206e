#pragma once

#include "mdbwriter.h"

#include <cstdint>
#include <cstring>

// Little-endian integers, as the pages store them.
namespace veskplan::mdb {

inline void put8(Bytes& out, std::uint8_t value) {
    out.push_back(value);
}

inline void put16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void put32(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

inline void putDouble(Bytes& out, double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int shift = 0; shift < 64; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
}

inline void putBytes(Bytes& out, const Bytes& more) {
    out.insert(out.end(), more.begin(), more.end());
}

inline void set16(Bytes& out, std::size_t at, std::uint16_t value) {
    out.at(at) = static_cast<std::uint8_t>(value);
    out.at(at + 1) = static_cast<std::uint8_t>(value >> 8);
}

inline void set32(Bytes& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A row's address: page number in the upper three bytes, row number in the lowest.
inline std::uint32_t pageRow(std::uint32_t page, std::uint32_t row) {
    return (page << 8) | row;
}

}  // namespace veskplan::mdb
