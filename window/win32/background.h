// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "window/layout.h"

namespace ostrel::win32 {

// The window's background picture, drawn from the top-left corner of the
// client area and cut off at its edges. At the design's 96 dots per inch
// (layout::kDesignDpi) it is drawn pixel for pixel; at other resolutions it is scaled with bilinear
// filtering, so that it keeps its size in inches and stays smooth.
class Background {
  public:
    // Reads the bitmap resource `id` of `instance`.
    Background(HINSTANCE instance, int id);
    ~Background();
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;

    // Draws the part of the picture that a client area of width × height
    // pixels shows at `dpi`.
    void Draw(HDC dc, int dpi, int width, int height);

    // The picture's pixels inside `area`, in pixels of the design; none
    // where the picture could not be read.
    [[nodiscard]] std::vector<layout::Rgb> PixelsIn(const layout::Rect& area) const;

  private:
    void Scale(int dpi, int width, int height);

    std::vector<std::uint32_t> pixels_;  // 0x00RRGGBB, top row first
    int width_ = 0;
    int height_ = 0;
    HBITMAP scaled_ = nullptr;
    std::uint32_t* scaledBits_ = nullptr;
    int scaledDpi_ = 0;
    int scaledWidth_ = 0;
    int scaledHeight_ = 0;
};

}  // namespace ostrel::win32
