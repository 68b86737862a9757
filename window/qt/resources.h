// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QImage>
#include <QRect>
#include <QString>

// The Qt window's pictures, read from the program's resources (:/ostrel/).
namespace ostrel {

// A picture of a known format; `clip`, if given, the part of it to read.
// Naming the format and turning off Qt's guessing keeps QImageReader from
// loading every image plug-in to ask whether it reads the format too: QtGui
// reads PNG and BMP itself, and only the ICO plug-in is loaded, for CUR.
[[nodiscard]] QImage ReadPicture(const QString& path, const char* format, const QRect& clip = {});

// The program's icon, sharp at one and at two screen pixels to a pixel.
[[nodiscard]] QIcon ProgramIcon();

// The part of the background picture that the fixed-size window shows: it is
// drawn unscaled from the top-left corner and cut off at the edges, so the
// rest need not stay in memory. `scale` 2 reads the picture drawn at twice
// the size, for screens with more than one pixel to a window pixel.
[[nodiscard]] QImage VisibleBackground(int scale);

}  // namespace ostrel
