// SPDX-License-Identifier: MIT
// Writes the window's pictures, as window/pictures draws them, in the formats
// the window, the Windows program and the desktop read:
//   background.bmp       480 x 360, 24-bit: the window's background
//   ostrel.ico           32 x 32, 256 colours: the program's icon
//   ostrel-windows.ico   the icon at 16, 32, 48 and 256 pixels, for Windows
//   hand.cur             32 x 32 monochrome pointing hand, hot spot (5, 0)
//   background@2x.png, hand@2x.png
//                        the background and the hand at twice the size, for
//                        screens with two pixels to a window pixel
//   icons/NxN.png        the icon for the desktop's icon theme at 16 to 256
//   icons/scalable.svg   and as a drawing
//   web/icon-192.png, web/icon-512.png, web/icon-maskable-512.png
//                        the icon for the web window's manifest: installed
//                        to a home screen, and cut to the device's shape
// Everything is computed from integer hashes and fixed formulas, so the files
// come out byte for byte the same on every machine.
//
// Usage: make_assets OUTPUT_DIRECTORY
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/make_assets/formats.h"
#include "window/pictures/pictures.h"

namespace {

using namespace ostrel::pictures;

bool Write(const std::string& path, const assets::Bytes& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

// The icon theme's sizes; 32 is the design's own few-colour icon.
bool WriteIcons(const std::string& dir) {
    std::filesystem::create_directories(dir);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size) + ".png";
        if (!Write(dir + name, assets::Png(size == 32 ? IconPixels() : IconAt(size)))) {
            return false;
        }
    }
    const std::string svg = IconSvg();
    std::ofstream file(dir + "scalable.svg", std::ios::binary);
    file << svg;
    return static_cast<bool>(file);
}

// The web window's icons.
bool WriteWebIcons(const std::string& dir) {
    std::filesystem::create_directories(dir);
    return Write(dir + "icon-192.png", assets::Png(IconAt(192))) &&
           Write(dir + "icon-512.png", assets::Png(IconAt(512))) &&
           Write(dir + "icon-maskable-512.png", assets::Png(MaskableIcon(512)));
}

}  // namespace

int main(int argc, char** argv) {
    using namespace assets;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    const Image icon = IconPixels();
    const bool ok =
        Write(dir + "background.bmp", Bmp24(Background(480, 360))) &&
        Write(dir + "ostrel.ico", Ico256(icon)) &&
        Write(dir + "ostrel-windows.ico", IcoMulti({IconAt(16), icon, IconAt(48), IconAt(256)})) &&
        Write(dir + "hand.cur", Cur1(Hand(), 5, 0)) &&
        Write(dir + "background@2x.png", Png(Background(480, 360, 2))) &&
        Write(dir + "hand@2x.png", Png(Hand(2))) && WriteIcons(dir + "icons/") &&
        WriteWebIcons(dir + "web/");
    if (!ok) {
        std::fprintf(stderr, "could not write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
