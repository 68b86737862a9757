// SPDX-License-Identifier: MIT
#include "tools/make_assets/formats.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace assets {
namespace {

// ---- Windows icons and cursors ----------------------------------------------

struct Entry {
    int size;               // pixels; 256 is written as 0
    std::uint8_t colours;   // 0 for 256 or more
    unsigned planesOrHotX;  // for a cursor, the hot spot
    unsigned bitsOrHotY;
    Bytes image;
};

// `type` is 1 for an icon, 2 for a cursor.
Bytes IconFile(int type, const std::vector<Entry>& entries) {
    Bytes out;
    Put16(out, 0);
    Put16(out, static_cast<unsigned>(type));
    Put16(out, static_cast<unsigned>(entries.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
    for (const Entry& e : entries) {
        const auto side = static_cast<std::uint8_t>(e.size >= 256 ? 0 : e.size);
        out.insert(out.end(), {side, side, e.colours, 0});
        Put16(out, e.planesOrHotX);
        Put16(out, e.bitsOrHotY);
        Put32(out, static_cast<std::uint32_t>(e.image.size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(e.image.size());
    }
    for (const Entry& e : entries) {
        out.insert(out.end(), e.image.begin(), e.image.end());
    }
    return out;
}

void PutInfoHeader(Bytes& out, int size, unsigned bits, std::uint32_t imageBytes,
                   std::uint32_t colours) {
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(size));
    Put32(out, static_cast<std::uint32_t>(2 * size));  // colour image and mask
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, 0);
    Put32(out, imageBytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, colours);
    Put32(out, 0);
}

// One bit a pixel, rows bottom up and padded to 32 bits, the bit set where
// `set` holds.
template <class Predicate>
void PutBits(Bytes& out, const Image& image, Predicate set) {
    const int rowBytes = (image.width + 31) / 32 * 4;
    for (int y = image.height - 1; y >= 0; --y) {
        for (int byte = 0; byte < rowBytes; ++byte) {
            std::uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = byte * 8 + bit;
                if (x < image.width && set(image.at(x, y))) {
                    bits = static_cast<std::uint8_t>(bits | 0x80 >> bit);
                }
            }
            out.push_back(bits);
        }
    }
}

// The AND mask: set where the picture is transparent.
void PutMask(Bytes& out, const Image& image) {
    PutBits(out, image, [](const Rgba& p) { return p.a == 0; });
}

Bytes Bgra32(const Image& image) {
    Bytes out;
    const auto maskBytes = static_cast<std::uint32_t>((image.width + 31) / 32 * 4 * image.height);
    PutInfoHeader(out, image.width, 32,
                  static_cast<std::uint32_t>(image.width * image.height * 4) + maskBytes, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgba& p = image.at(x, y);
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    }
    PutMask(out, image);
    return out;
}

}  // namespace

Bytes Bmp24(const Image& image) {
    const int width = image.width;
    const int height = image.height;
    const auto rowBytes = static_cast<std::uint32_t>((width * 3 + 3) & ~3);
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 14 + 40 + imageBytes);
    Put32(out, 0);
    Put32(out, 14 + 40);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, imageBytes);
    Put32(out, 3780);  // 96 dots per inch
    Put32(out, 3780);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        std::uint32_t written = 0;
        for (int x = 0; x < width; ++x) {
            const Rgba& p = image.at(x, y);
            out.insert(out.end(), {p.b, p.g, p.r});
            written += 3;
        }
        for (; written < rowBytes; ++written) {
            out.push_back(0);
        }
    }
    return out;
}

Bytes Ico256(const Image& image) {
    std::map<Rgba, std::uint8_t> palette;
    for (const Rgba& p : image.pixels) {
        const Rgba opaque{p.r, p.g, p.b, 255};
        if (!palette.contains(opaque)) {
            const auto index = static_cast<std::uint8_t>(palette.size());
            palette.emplace(opaque, index);
        }
    }
    if (palette.size() > 256) {
        std::fprintf(stderr, "the icon has more than 256 colours\n");
        std::exit(1);
    }
    std::array<Rgba, 256> table{};
    for (const auto& [colour, index] : palette) {
        table[index] = colour;
    }
    const int size = image.width;
    Bytes bits;
    PutInfoHeader(bits, size, 8, static_cast<std::uint32_t>(size * size + size * size / 8), 256);
    for (const Rgba& c : table) {
        bits.insert(bits.end(), {c.b, c.g, c.r, 0});
    }
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const Rgba& p = image.at(x, y);
            bits.push_back(palette.at(Rgba{p.r, p.g, p.b, 255}));
        }
    }
    PutMask(bits, image);
    return IconFile(1, {{size, 0, 1, 8, bits}});
}

Bytes IcoMulti(const std::vector<Image>& images) {
    std::vector<Entry> entries;
    entries.reserve(images.size());
    for (const Image& image : images) {
        entries.push_back({image.width, 0, 1, 32, image.width >= 256 ? Png(image) : Bgra32(image)});
    }
    return IconFile(1, entries);
}

Bytes Cur1(const Image& image, unsigned hotX, unsigned hotY) {
    const int size = image.width;
    Bytes bits;
    PutInfoHeader(bits, size, 1, static_cast<std::uint32_t>(2 * size * size / 8), 2);
    bits.insert(bits.end(), {0, 0, 0, 0, 255, 255, 255, 0});         // black, white
    PutBits(bits, image, [](const Rgba& p) { return p.r == 255; });  // white pixels
    PutMask(bits, image);
    return IconFile(2, {{size, 2, hotX, hotY, bits}});
}

}  // namespace assets
