// Draws the window's pictures and writes them in the formats the window, the
// Windows program and the desktop read:
//   background.bmp       480 x 360, 24-bit: the window's background
//   ostrel.ico           32 x 32, 256 colours: the program's icon
//   ostrel.png           the same icon for desktop menus
//   ostrel-windows.ico   the icon at 16, 32, 48 and 256 pixels, for Windows
//   hand.cur             32 x 32 monochrome pointing hand, hot spot (5, 0)
// Everything is computed from integer hashes and fixed formulas, so the files
// come out byte for byte the same on every machine.
//
// Usage: make_assets OUTPUT_DIRECTORY
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/make_assets/formats.h"
#include "tools/make_assets/pictures.h"

namespace {

bool Write(const std::string& path, const assets::Bytes& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
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
        Write(dir + "ostrel.ico", Ico256(icon)) && Write(dir + "ostrel.png", Png(icon)) &&
        Write(dir + "ostrel-windows.ico", IcoMulti({IconAt(16), icon, IconAt(48), IconAt(256)})) &&
        Write(dir + "hand.cur", Cur1(Hand(), 5, 0));
    if (!ok) {
        std::fprintf(stderr, "could not write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
