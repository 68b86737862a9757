// SPDX-License-Identifier: MIT
// Prints, for the end-to-end tests, where each control of the window's design
// lies in pixels: one line "NAME CENTRE_X CENTRE_Y" per control, in client
// coordinates at the given dots per inch (96 unless told), and last the
// client area's size as "client WIDTH HEIGHT".
//
// Usage: layout_points [DPI]
#include <cstdio>
#include <cstdlib>

#include "window/layout.h"

int main(int argc, char** argv) {
    namespace layout = ostrel::layout;
    const int dpi = argc > 1 ? std::atoi(argv[1]) : layout::kDesignDpi;
    if (dpi <= 0) {
        std::fprintf(stderr, "usage: %s [DPI]\n", argv[0]);
        return 2;
    }
    for (const layout::Control& control : layout::kControls) {
        const layout::Rect r = layout::ToPixels(control.place, dpi);
        std::printf("%.*s %d %d\n", static_cast<int>(control.name.size()), control.name.data(),
                    r.left + r.width / 2, r.top + r.height / 2);
    }
    std::printf("client %d %d\n", layout::ToPixels(layout::kClientWidth, dpi),
                layout::ToPixels(layout::kClientHeight, dpi));
    return 0;
}
