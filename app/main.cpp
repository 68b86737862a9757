#include <QApplication>
#include <QIcon>

#include "window/form1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Ostrel");
    QApplication::setApplicationVersion("1.3");
    QApplication::setDesktopFileName("ostrel");
    QApplication::setWindowIcon(QIcon(":/ostrel/ostrel.ico"));

    ostrel::Form1 window;
    window.show();
    return QApplication::exec();
}
