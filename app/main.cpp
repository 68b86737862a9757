#include <QApplication>
#include <QIcon>

#include "window/qt/form1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Ostrel");
    QApplication::setApplicationVersion(OSTREL_VERSION);
    QApplication::setDesktopFileName("example.ostrel.Ostrel");
    QApplication::setWindowIcon(QIcon(":/ostrel/ostrel.png"));

    ostrel::Form1 window;
    window.show();
    return QApplication::exec();
}
