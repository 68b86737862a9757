#include <QApplication>
#include <QIcon>

#include "window/form1.h"

#ifdef OSTREL_PREWARM_FONTCONFIG
#include <fontconfig/fontconfig.h>

#include <thread>
#endif

int main(int argc, char** argv) {
#ifdef OSTREL_PREWARM_FONTCONFIG
    // Reading the system's font configuration is the largest single piece of
    // work before the first frame. Do it on another core while Qt loads its
    // platform plugin and connects to the display; fontconfig is thread-safe
    // and Qt then finds it ready.
    std::thread fontconfig([] { FcInit(); });
#endif
    QApplication app(argc, argv);
#ifdef OSTREL_PREWARM_FONTCONFIG
    fontconfig.join();
#endif
    QApplication::setApplicationName("Ostrel");
    QApplication::setApplicationVersion("1.3");
    QApplication::setDesktopFileName("example.ostrel.Ostrel");
    QApplication::setWindowIcon(QIcon(":/ostrel/ostrel.png"));

    ostrel::Form1 window;
    window.show();
    return QApplication::exec();
}
