#include <QApplication>
#include <QIcon>

#include "window/form1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Ostrel");
    QApplication::setApplicationVersion("1.3");
    QApplication::setDesktopFileName("example.ostrel.Ostrel");
    QApplication::setWindowIcon(QIcon(":/ostrel/ostrel.png"));

    ostrel::Form1 window;
    window.show();
    return QApplication::exec();
}
