// SPDX-License-Identifier: MIT
// The toolkit's floor: the least a Qt 6 Widgets program does to show a window
// of the calculator's size and title.
#include <QApplication>
#include <QWidget>

#include "window/layout.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    namespace layout = ostrel::layout;
    window.setWindowTitle(QString::fromUtf8(layout::kTitle));
    window.setFixedSize(layout::ToPixels(layout::kClientWidth, layout::kDesignDpi),
                        layout::ToPixels(layout::kClientHeight, layout::kDesignDpi));
    window.show();
    return QApplication::exec();
}
