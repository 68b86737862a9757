// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

// The bytes of the files the asset writer makes.
namespace assets {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8 & 0xFF));
}
inline void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
inline void Put32BigEndian(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(v >> shift & 0xFF));
    }
}

}  // namespace assets
