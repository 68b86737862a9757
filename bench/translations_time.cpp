// SPDX-License-Identifier: MIT
// What loading the Swedish translations costs the start-up: the time of
// InstallSwedishTranslations in a fresh process, in microseconds, and how
// many of the two files it loaded. One line: "<microseconds> <loaded>".
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "window/qt/translations.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QElapsedTimer timer;
    timer.start();
    const int loaded = ostrel::InstallSwedishTranslations(app);
    const qint64 nanoseconds = timer.nsecsElapsed();
    std::printf("%.1f %d\n", static_cast<double>(nanoseconds) / 1000.0, loaded);
    return 0;
}
