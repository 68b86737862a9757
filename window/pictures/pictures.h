// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "window/pictures/image.h"

// The window's pictures, drawn from integer hashes and fixed formulas, so that
// they come out the same on every machine. The build's asset writer (make_assets)
// keeps them as files for the desktop windows; the web window draws the
// background in the page at the screen's own resolution.
namespace ostrel::pictures {

// The window's background: a yellow-green mottled texture with a bright
// yellow glow in its upper middle, `scale` pixels to each pixel of the
// 480 × 360 design.
Image Background(int width, int height, int scale = 1);

// The same background's top-left partWidth × partHeight design pixels only:
// the part a window of that size shows.
Image BackgroundPart(int width, int height, int scale, int partWidth, int partHeight);

// Where the background's glow lies: its centre and the radii at which it has
// faded to 1/e, in design pixels of a width × height picture.
struct Glow {
    double centreX, centreY, radiusX, radiusY;
};
Glow BackgroundGlow(int width, int height);

// The background at a point of the design without its texture: the mean of
// the mottled colour, with the glow.
Rgba BackgroundSmooth(double x, double y, int width, int height);

// The program's icon as the design has it: 32 × 32 pixels in few colours, a
// rounded dark-green tile with four rising yellow bars (a skill going up).
Image IconPixels();

// The same icon drawn smoothly at any size, with an alpha channel.
Image IconAt(int size);

// The icon for a home screen that cuts it to any shape: the tile inside the
// part every mask keeps, on an opaque ground that fills the whole square.
Image MaskableIcon(int size);

// The same icon as SVG.
std::string IconSvg();

// The pointing hand, monochrome, its index finger's tip at (5, 0); `scale`
// pixels to each pixel of the 32 × 32 design.
Image Hand(int scale = 1);

}  // namespace ostrel::pictures
