// The toolkit's floor: the least a Qt 6 Widgets program does to show a window
// of the calculator's size and title.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Ostrel v1.3");
    window.setFixedSize(366, 263);
    window.show();
    return QApplication::exec();
}
