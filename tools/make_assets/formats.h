// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "tools/make_assets/bytes.h"
#include "window/pictures/image.h"

// The file formats the window and the desktop read.
namespace assets {

using ostrel::pictures::Image;
using ostrel::pictures::Rgba;

// A 24-bit Windows bitmap at 96 dots per inch.
Bytes Bmp24(const Image& image);

// A Windows icon with one 32 × 32 image of at most 256 colours.
Bytes Ico256(const Image& image);

// A Windows icon with several images: 32-bit ones with an alpha channel, the
// 256-pixel one as PNG (as Windows Vista and later read it).
Bytes IcoMulti(const std::vector<Image>& images);

// A Windows cursor with one monochrome 32 × 32 image: black, white and
// transparent pixels; the hot spot as given.
Bytes Cur1(const Image& image, unsigned hotX, unsigned hotY);

// An 8-bit RGBA PNG, compressed (deflate with fixed Huffman codes); png.cpp.
Bytes Png(const Image& image);

}  // namespace assets
