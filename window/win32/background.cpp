// SPDX-License-Identifier: MIT
#include "window/win32/background.h"

#include <algorithm>
#include <cmath>

#include "window/layout.h"

namespace ostrel::win32 {
namespace {

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t) {
    std::uint32_t mixed = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double ca = (a >> shift) & 0xFF;
        const double cb = (b >> shift) & 0xFF;
        const auto c = static_cast<std::uint32_t>(std::lround(ca + (cb - ca) * t));
        mixed |= std::min<std::uint32_t>(c, 255) << shift;
    }
    return mixed;
}

}  // namespace

Background::Background(HINSTANCE instance, int id) {
    auto* bitmap = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap == nullptr) {
        return;  // drawn as nothing: the window's own colour shows
    }
    DIBSECTION dib{};
    if (GetObjectW(bitmap, sizeof dib, &dib) == sizeof dib && dib.dsBm.bmBitsPixel == 24) {
        width_ = dib.dsBm.bmWidth;
        height_ = std::abs(dib.dsBm.bmHeight);
        const bool bottomUp = dib.dsBmih.biHeight > 0;
        const auto* bits = static_cast<const std::uint8_t*>(dib.dsBm.bmBits);
        pixels_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
        for (int y = 0; y < height_; ++y) {
            const int row = bottomUp ? height_ - 1 - y : y;
            const std::uint8_t* p = bits + static_cast<std::ptrdiff_t>(row) * dib.dsBm.bmWidthBytes;
            for (int x = 0; x < width_; ++x, p += 3) {
                pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                        static_cast<std::size_t>(x)] =
                    std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
            }
        }
    }
    DeleteObject(bitmap);
}

Background::~Background() {
    if (scaled_ != nullptr) {
        DeleteObject(scaled_);
    }
}

void Background::Scale(int dpi, int width, int height) {
    if (scaled_ != nullptr && scaledDpi_ == dpi && scaledWidth_ == width &&
        scaledHeight_ == height) {
        return;
    }
    if (scaled_ != nullptr) {
        DeleteObject(scaled_);
        scaled_ = nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    scaled_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (scaled_ == nullptr) {
        return;
    }
    scaledBits_ = static_cast<std::uint32_t*>(bits);
    scaledDpi_ = dpi;
    scaledWidth_ = width;
    scaledHeight_ = height;
    // Each target pixel's centre, mapped back onto the picture, is
    // interpolated between the four picture pixels around it; beyond the
    // picture's edge the window's own colour (black) shows, as it would
    // unscaled.
    const double step = static_cast<double>(layout::kDesignDpi) / dpi;
    auto at = [this](int x, int y) {
        x = std::clamp(x, 0, width_ - 1);
        y = std::clamp(y, 0, height_ - 1);
        return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                       static_cast<std::size_t>(x)];
    };
    for (int y = 0; y < height; ++y) {
        const double sy = (y + 0.5) * step - 0.5;
        const int y0 = static_cast<int>(std::floor(sy));
        const double ty = sy - y0;
        for (int x = 0; x < width; ++x) {
            std::uint32_t colour = 0;
            const double sx = (x + 0.5) * step - 0.5;
            if (!pixels_.empty() && sx < width_ && sy < height_) {
                const int x0 = static_cast<int>(std::floor(sx));
                const double tx = sx - x0;
                colour = Mix(Mix(at(x0, y0), at(x0 + 1, y0), tx),
                             Mix(at(x0, y0 + 1), at(x0 + 1, y0 + 1), tx), ty);
            }
            scaledBits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                        static_cast<std::size_t>(x)] = colour;
        }
    }
}

std::vector<layout::Rgb> Background::PixelsIn(const layout::Rect& area) const {
    std::vector<layout::Rgb> pixels;
    for (int y = std::max(0, area.top); y < std::min(height_, area.top + area.height); ++y) {
        for (int x = std::max(0, area.left); x < std::min(width_, area.left + area.width); ++x) {
            const std::uint32_t p =
                pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                        static_cast<std::size_t>(x)];
            pixels.push_back({static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                              static_cast<std::uint8_t>(p)});
        }
    }
    return pixels;
}

void Background::Draw(HDC dc, int dpi, int width, int height) {
    Scale(dpi, width, height);
    if (scaled_ == nullptr) {
        return;
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, scaled_);
    BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

}  // namespace ostrel::win32
