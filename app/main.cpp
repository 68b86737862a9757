// SPDX-License-Identifier: MIT
#include <QApplication>

#include "window/qt/form1.h"
#include "window/qt/translations.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Ostrel");
    QApplication::setApplicationVersion(OSTREL_VERSION);
    QApplication::setDesktopFileName("example.ostrel.Ostrel");
    ostrel::InstallSwedishTranslations(app);

    ostrel::Form1 window;
    window.show();
    return QApplication::exec();
}
