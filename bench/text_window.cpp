// SPDX-License-Identifier: MIT
// The second floor: a Qt 6 Widgets window of the calculator's size and
// title with the same kinds and number of widgets showing the same texts
// (labels, line edits, buttons, frames) in the same fonts, placed as the
// calculator places them, with none of its pictures, colours, translations
// or logic. Against it, the start-up benchmark measures what the calculator
// adds beyond drawing its texts at all.
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "window/layout.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    namespace layout = ostrel::layout;
    QWidget window;
    window.setWindowTitle(QString::fromUtf8(layout::kTitle));
    window.setFixedSize(layout::ToPixels(layout::kClientWidth, layout::kDesignDpi),
                        layout::ToPixels(layout::kClientHeight, layout::kDesignDpi));
    QFont font;
    QStringList families{QString::fromUtf8(layout::kFontFamily)};
    for (const std::string_view fallback : layout::kFontFallbacks) {
        families.append(QString::fromUtf8(fallback));
    }
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(layout::kFontPoints);
    window.setFont(font);
    for (const layout::Control& control : layout::kControls) {
        const QString caption = QString::fromUtf8(control.caption);
        QWidget* widget = nullptr;
        switch (control.kind) {
            case layout::Kind::Label:
                widget = new QLabel(caption, &window);
                break;
            case layout::Kind::TextBox:
                widget = new QLineEdit(caption, &window);
                break;
            case layout::Kind::Button:
                widget = new QPushButton(caption, &window);
                break;
            case layout::Kind::PictureBox:
            case layout::Kind::Rectangle:
                widget = new QFrame(&window);
                break;
        }
        if (control.bold || control.underline) {
            QFont styled = font;
            styled.setBold(control.bold);
            styled.setUnderline(control.underline);
            widget->setFont(styled);
        }
        const layout::Rect r = layout::ToPixels(control.place, layout::kDesignDpi);
        widget->setGeometry(r.left, r.top, r.width, r.height);
    }
    window.show();
    return QApplication::exec();
}
