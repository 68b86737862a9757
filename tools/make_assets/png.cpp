// SPDX-License-Identifier: MIT
// The PNG writer: 8-bit RGBA, each row with the filter that leaves the
// smallest sum of magnitudes, deflated in one block with the fixed Huffman
// codes. The same picture always gives the same bytes.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tools/make_assets/formats.h"

namespace assets {
namespace {

// ---- deflate ---------------------------------------------------------------------

class BitWriter {
  public:
    explicit BitWriter(Bytes& out) : out_(out) {}
    void Bits(std::uint32_t value, int count) {
        pending_ |= value << filled_;
        filled_ += count;
        while (filled_ >= 8) {
            out_.push_back(static_cast<std::uint8_t>(pending_ & 0xFF));
            pending_ >>= 8;
            filled_ -= 8;
        }
    }
    // Huffman codes go most significant bit first.
    void Code(std::uint32_t code, int length) {
        std::uint32_t reversed = 0;
        for (int i = 0; i < length; ++i) {
            reversed |= (code >> i & 1u) << (length - 1 - i);
        }
        Bits(reversed, length);
    }
    void Flush() {
        if (filled_ > 0) {
            out_.push_back(static_cast<std::uint8_t>(pending_ & 0xFF));
        }
        pending_ = 0;
        filled_ = 0;
    }

  private:
    Bytes& out_;
    std::uint32_t pending_ = 0;
    int filled_ = 0;
};

// A literal, the end of the block or a length code, in the fixed code.
void Symbol(BitWriter& w, unsigned symbol) {
    if (symbol < 144) {
        w.Code(0x30 + symbol, 8);
    } else if (symbol < 256) {
        w.Code(0x190 + symbol - 144, 9);
    } else if (symbol < 280) {
        w.Code(symbol - 256, 7);
    } else {
        w.Code(0xC0 + symbol - 280, 8);
    }
}

constexpr std::array<unsigned, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                  15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                  67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<unsigned, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void Match(BitWriter& w, unsigned length, unsigned distance) {
    std::size_t i = kLengthBase.size() - 1;
    while (kLengthBase[i] > length) {
        --i;
    }
    Symbol(w, 257 + static_cast<unsigned>(i));
    w.Bits(length - kLengthBase[i], kLengthExtra[i]);
    std::size_t j = kDistanceBase.size() - 1;
    while (kDistanceBase[j] > distance) {
        --j;
    }
    w.Code(static_cast<std::uint32_t>(j), 5);
    w.Bits(distance - kDistanceBase[j], kDistanceExtra[j]);
}

// One final block with the fixed codes; greedy matching over a 32 KiB window
// with hash chains. The same input always gives the same bytes.
Bytes Deflate(const Bytes& in) {
    constexpr std::size_t kWindow = 32768;
    constexpr unsigned kMaxLength = 258;
    constexpr int kMaxChain = 64;
    constexpr std::size_t kHashSize = 1 << 15;
    std::vector<std::int64_t> head(kHashSize, -1);
    std::vector<std::int64_t> previous(kWindow, -1);
    auto hash = [&](std::size_t at) {
        return (static_cast<std::size_t>(in[at]) << 10 ^ static_cast<std::size_t>(in[at + 1]) << 5 ^
                in[at + 2]) &
               (kHashSize - 1);
    };
    auto insert = [&](std::size_t at) {
        if (at + 2 < in.size()) {
            const std::size_t h = hash(at);
            previous[at % kWindow] = head[h];
            head[h] = static_cast<std::int64_t>(at);
        }
    };
    Bytes out;
    BitWriter w(out);
    w.Bits(1, 1);  // the final block
    w.Bits(1, 2);  // fixed Huffman codes
    std::size_t at = 0;
    while (at < in.size()) {
        unsigned bestLength = 0;
        std::size_t bestDistance = 0;
        if (at + 2 < in.size()) {
            std::int64_t candidate = head[hash(at)];
            for (int chain = 0; candidate >= 0 && chain < kMaxChain; ++chain) {
                const auto from = static_cast<std::size_t>(candidate);
                if (at - from > kWindow - 1) {
                    break;
                }
                unsigned length = 0;
                while (length < kMaxLength && at + length < in.size() &&
                       in[from + length] == in[at + length]) {
                    ++length;
                }
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = at - from;
                }
                candidate = previous[from % kWindow];
            }
        }
        if (bestLength >= 3) {
            Match(w, bestLength, static_cast<unsigned>(bestDistance));
            for (unsigned k = 0; k < bestLength; ++k) {
                insert(at + k);
            }
            at += bestLength;
        } else {
            Symbol(w, in[at]);
            insert(at);
            ++at;
        }
    }
    Symbol(w, 256);
    w.Flush();
    return out;
}

// ---- PNG ---------------------------------------------------------------------------

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
    Put32BigEndian(out, static_cast<std::uint32_t>(data.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    Put32BigEndian(out, Crc32(typed.data(), typed.size()));
}

int Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
}

// Each row with the PNG filter that leaves the smallest sum of magnitudes.
Bytes Filtered(const Image& image) {
    const std::size_t stride = static_cast<std::size_t>(image.width) * 4;
    Bytes previous(stride, 0);
    Bytes raw;
    for (int y = 0; y < image.height; ++y) {
        Bytes row;
        for (int x = 0; x < image.width; ++x) {
            const Rgba& p = image.at(x, y);
            row.insert(row.end(), {p.r, p.g, p.b, p.a});
        }
        Bytes best;
        long bestCost = -1;
        for (int filter = 0; filter <= 4; ++filter) {
            Bytes candidate{static_cast<std::uint8_t>(filter)};
            long cost = 0;
            for (std::size_t i = 0; i < stride; ++i) {
                const int a = i >= 4 ? row[i - 4] : 0;
                const int b = previous[i];
                const int c = i >= 4 ? previous[i - 4] : 0;
                const int predictions[] = {0, a, b, (a + b) / 2, Paeth(a, b, c)};
                const auto value = static_cast<std::uint8_t>(row[i] - predictions[filter]);
                candidate.push_back(value);
                cost += value < 128 ? value : 256 - value;
            }
            if (bestCost < 0 || cost < bestCost) {
                bestCost = cost;
                best = std::move(candidate);
            }
        }
        raw.insert(raw.end(), best.begin(), best.end());
        previous = row;
    }
    return raw;
}

}  // namespace

Bytes Png(const Image& image) {
    const Bytes raw = Filtered(image);
    Bytes zlib = {0x78, 0x01};
    const Bytes deflated = Deflate(raw);
    zlib.insert(zlib.end(), deflated.begin(), deflated.end());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    Put32BigEndian(zlib, b << 16 | a);

    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    Put32BigEndian(header, static_cast<std::uint32_t>(image.width));
    Put32BigEndian(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", zlib);
    PutChunk(out, "IEND", {});
    return out;
}

}  // namespace assets
