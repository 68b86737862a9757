#pragma once

#include <string>

#include "tools/make_assets/image.h"

// The pictures, drawn from integer hashes and fixed formulas, so that they
// come out the same on every machine.
namespace assets {

// The window's background: a yellow-green mottled texture with a bright
// yellow glow in its upper middle, `scale` pixels to each pixel of the
// 480 × 360 design.
Image Background(int width, int height, int scale = 1);

// The program's icon as the design has it: 32 × 32 pixels in few colours, a
// rounded dark-green tile with four rising yellow bars (a skill going up).
Image IconPixels();

// The same icon drawn smoothly at any size, with an alpha channel.
Image IconAt(int size);

// The same icon as SVG.
std::string IconSvg();

// The pointing hand, monochrome, its index finger's tip at (5, 0); `scale`
// pixels to each pixel of the 32 × 32 design.
Image Hand(int scale = 1);

}  // namespace assets
