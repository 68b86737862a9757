// SPDX-License-Identifier: MIT
// Widget tests of the real window on Qt's offscreen platform: its design,
// buttons, link, focus order and accessibility. The fields' own behaviour is
// in field_edit_test.cpp.
#include <QAccessible>
#include <QApplication>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <optional>

#include "link/home_page.h"
#include "tests/window/qt_window.h"
#include "window/error_report.h"
#include "window/layout.h"
#include "window/qt/form1.h"

using ostrel::Form1;
using ostrel::test::Box;
using ostrel::test::ClosingBoxes;

namespace {

namespace layout = ostrel::layout;

QRect Pixels(const layout::Rect& twips) {
    const layout::Rect r = layout::ToPixels(twips, 96);
    return {r.left, r.top, r.width, r.height};
}

QColor ToColor(layout::Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

}  // namespace

class Form1Test : public QObject, public ostrel::test::QtWindow {
    Q_OBJECT

  private slots:
    void init() { QVERIFY(Open()); }
    void cleanup() { Close(); }

    void window() {
        QCOMPARE(form_->windowTitle(), QString::fromUtf8(layout::kTitle));
        QCOMPARE(form_->size(), Pixels({0, 0, layout::kClientWidth, layout::kClientHeight}).size());
        QCOMPARE(form_->minimumSize(), form_->maximumSize());
        const Qt::WindowFlags flags = form_->windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!form_->windowIcon().isNull());

        QImageReader background(":/ostrel/background.bmp");
        QCOMPARE(background.size(), QSize(layout::kBackgroundWidth, layout::kBackgroundHeight));
        const QSize iconSize(layout::kIconSize, layout::kIconSize);
        QCOMPARE(form_->windowIcon().availableSizes().value(0), iconSize);
        QImageReader icon(OSTREL_ASSETS_DIR "/ostrel.ico");
        QCOMPARE(icon.read().size(), iconSize);
        QFile iconFile(OSTREL_ASSETS_DIR "/ostrel.ico");
        QVERIFY(iconFile.open(QIODevice::ReadOnly));
        const QByteArray header = iconFile.read(22 + 40);
        QCOMPARE(int(header[12]), 8);       // bits a pixel in the directory entry
        QCOMPARE(int(header[22 + 14]), 8);  // and in the image: 256 colours

        // The background shows: the glow is near the top middle, the texture
        // darker towards the lower left.
        const QImage shot = form_->grab().toImage();
        QVERIFY(shot.pixelColor(240, 12).red() > 240 && shot.pixelColor(240, 12).green() > 230);
        QVERIFY(shot.pixelColor(5, 250).blue() < 100);
        // Wherever no control lies, pixel for pixel the bitmap as Qt decodes it.
        const QImage bitmap(":/ostrel/background.bmp");
        QRegion bare(form_->rect());
        for (const QWidget* child : form_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            bare -= child->geometry();
        }
        qsizetype compared = 0;
        for (const QRect& area : bare) {
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    QCOMPARE(QColor(shot.pixel(x, y)), QColor(bitmap.pixel(x, y)));
                    ++compared;
                }
            }
        }
        QVERIFY(compared > form_->width() * form_->height() / 2);
    }

    // Every control of the design table, as the window made it.
    void layout_data() {
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < layout::kControls.size(); ++i) {
            QTest::newRow(layout::kControls[i].name.data()) << static_cast<int>(i);
        }
    }
    void layout() {
        QFETCH(int, row);
        const layout::Control& want = layout::kControls[static_cast<std::size_t>(row)];
        QWidget* control = Child(want.name.data());
        QCOMPARE(control->geometry(), Pixels(want.place));
        const QString caption = QString::fromUtf8(want.caption);
        QString shown;
        if (auto* label = qobject_cast<QLabel*>(control)) {
            shown = label->text();
            QCOMPARE(label->alignment().testFlag(Qt::AlignHCenter), want.centred);
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            shown = button->text();
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            shown = edit->text();
        }
        QCOMPARE(shown, caption);
        const QFont font = control->font();
        QCOMPARE(font.families().value(0), QString::fromUtf8(layout::kFontFamily));
        QCOMPARE(font.pointSizeF(), layout::kFontPoints);
        QCOMPARE(font.bold(), want.bold);
        QCOMPARE(font.underline(), want.underline);
        // Every caption fits in its control with the font the machine has.
        QVERIFY2(QFontMetrics(font).horizontalAdvance(caption) <= control->width(),
                 want.name.data());

        const QPalette palette = control->palette();
        QCOMPARE(control->autoFillBackground(), want.fill.has_value());
        if (want.fill) {
            QCOMPARE(palette.color(QPalette::Window), ToColor(*want.fill));
        }
        if (want.text) {
            QCOMPARE(palette.color(QPalette::WindowText), ToColor(*want.text));
        }
        if (want.border) {  // a plain box drawn in the text colour
            auto* frame = qobject_cast<QFrame*>(control);
            QVERIFY(frame != nullptr);
            QCOMPARE(frame->frameStyle(), QFrame::Box | QFrame::Plain);
            QCOMPARE(palette.color(QPalette::WindowText), ToColor(*want.border));
            QVERIFY(control->testAttribute(Qt::WA_TransparentForMouseEvents));
        }
    }

    void handPointer() {
        // The pointer is set when the mouse first comes over the link.
        QWidget* link = Child("Label10");
        QEnterEvent enter(QPointF(150, 8), link->mapTo(form_.get(), QPointF(150, 8)),
                          link->mapToGlobal(QPointF(150, 8)));
        QApplication::sendEvent(link, &enter);
        const QCursor hand = link->cursor();
        QCOMPARE(hand.shape(), Qt::BitmapCursor);
        QCOMPARE(hand.hotSpot(), QPoint(layout::kPointerHotX, layout::kPointerHotY));
        QCOMPARE(hand.pixmap().size(), QSize(layout::kPointerSize, layout::kPointerSize));
    }

    void tabOrderAndStartFocus() {
        QCOMPARE(FocusName(), QString("Text1"));
        QCOMPARE(Field(1)->selectedText(), QString("0"));
        const auto chain = layout::FocusChain();
        QCOMPARE(FocusName(), QString::fromUtf8(chain.front()->name));
        for (std::size_t i = 1; i <= chain.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(FocusName(), QString::fromUtf8(chain[i % chain.size()]->name));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(FocusName(), QString("Command2"));
    }

    void buttons_data() {
        QTest::addColumn<QStringList>("start");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("end");
        QTest::addColumn<QStringList>("messages");
        const QString n = "Ostrel kan endast räkna med siffror, såsom 1, 2 och 3.";
        const QString s =
            "VB overflow! Programmet klarar inte så stora skillnader mellan "
            "FV/FVb och GEV";
        QTest::newRow("cost") << QStringList{"10", "12", "15", "0"} << "Command1"
                              << QStringList{"10", "12", "15", "8"} << QStringList{};
        QTest::newRow("cost, two messages")
            << QStringList{"x", "2000", "3", "0"} << "Command1" << QStringList{"0", "0", "3", "6"}
            << QStringList{n, "Ogiltigt GEV!"};
        QTest::newRow("cost, spread") << QStringList{"0", "0", "46341", "5"} << "Command1"
                                      << QStringList{"0", "0", "0", "0"} << QStringList{s};
        QTest::newRow("reach") << QStringList{"10", "12", "0", "7"} << "Command2"
                               << QStringList{"10", "12", "14", "2"} << QStringList{};
        QTest::newRow("reach, bad EP")
            << QStringList{"10", "12", "0", "1000001"} << "Command2"
            << QStringList{"10", "12", "10", "0"} << QStringList{"Ogiltigt antal EP!"};
        QTest::newRow("clear") << QStringList{"abc", "", "1", "12345678"} << "Command3"
                               << QStringList{"0", "0", "0", "0"} << QStringList{};
        QTest::newRow("error report")
            << QStringList{"1", "1", "abc", "5"} << "Command2" << QStringList{"1", "1", "abc", "5"}
            << QStringList{
                   "ConversionError: En ruta innehåller något som inte är ett tal. "
                   "Beräkningen avbröts."};
        QTest::newRow("overflow report")
            << QStringList{"-3E9", "0", "0", "5"} << "Command1"
            << QStringList{"-3E9", "0", "0", "5"}
            << QStringList{QString::fromUtf8(ostrel::ErrorReport(ostrel::ErrorKind::Overflow))};
    }
    void buttons() {
        QFETCH(QStringList, start);
        QFETCH(QString, button);
        QFETCH(QStringList, end);
        QFETCH(QStringList, messages);
        Fill(start);
        const QList<Box> boxes =
            ClosingBoxes([&] { QTest::mouseClick(Child(qPrintable(button)), Qt::LeftButton); });
        QCOMPARE(Texts(), end);
        QStringList shown;
        for (const Box& box : boxes) {
            QCOMPARE(box.title, QString("Ostrel"));
            QCOMPARE(box.icon, QMessageBox::NoIcon);
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            shown.append(box.text);
        }
        QCOMPARE(shown, messages);
        // The focus is back on the pressed button; no field's handler ran.
        QCOMPARE(form_->focusWidget()->objectName(), button);
    }

    void aSecondPressAfterAnErrorWorks() {
        Fill({"-2.1E9", "0", "1", "-2.1E9"});
        QCOMPARE(ClosingBoxes([&] { QTest::mouseClick(Child("Command2"), Qt::LeftButton); }).size(),
                 1);
        Fill({"10", "12", "0", "7"});
        QVERIFY(
            ClosingBoxes([&] { QTest::mouseClick(Child("Command2"), Qt::LeftButton); }).isEmpty());
        QCOMPARE(Texts(), (QStringList{"10", "12", "14", "2"}));
    }

    void decimalSeparatorComesFromTheLocale() {
        form_ = std::make_unique<Form1>(QLocale(QLocale::Swedish, QLocale::Sweden));
        form_->show();
        Fill({"2,5", "10", "3,5", "0"});
        QTest::mouseClick(Child("Command1"), Qt::LeftButton);
        QCOMPARE(Field(4)->text(), QString("2"));
    }

    void linkOpensTheHomePage() {
        struct Call {
            std::string file, operation;
            std::optional<std::string_view> parameters, directory;
            int show;
        };
        QList<Call> calls;
        form_->SetOpener([&](std::string_view file, std::string_view operation,
                             std::optional<std::string_view> parameters,
                             std::optional<std::string_view> directory, int show) {
            calls.append({std::string(file), std::string(operation), parameters, directory, show});
            return false;
        });
        QWidget* link = Child("Label10");
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(150, 8));
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].file, std::string("https://ostrel.example/"));
        QCOMPARE(calls[0].operation, std::string("Open"));
        QVERIFY(!calls[0].parameters && !calls[0].directory);
        QCOMPARE(calls[0].show, 0);
        QTest::mouseClick(link, Qt::RightButton, {}, QPoint(150, 8));
        QCOMPARE(calls.size(), 1);
    }

    void accessibility() {
        const char* const names[] = {"FV", "GEV", "FVb", "EP"};
        const char* const descriptions[] = {
            "FV = Nuvarande färdighetsvärde", "GEV = Grundegenskapsvärde",
            "FVb = Blivande färdighetsvärde", "EP = Kostnad i antal erfarenhetspoäng"};
        for (int i = 0; i < 4; ++i) {
            QAccessibleInterface* field = QAccessible::queryAccessibleInterface(Field(i + 1));
            QVERIFY(field != nullptr);
            QCOMPARE(field->text(QAccessible::Name), QString(names[i]));
            QCOMPARE(field->text(QAccessible::Description), QString(descriptions[i]));
        }
        for (const char* button : {"Command1", "Command2", "Command3"}) {
            QAccessibleInterface* control = QAccessible::queryAccessibleInterface(Child(button));
            QCOMPARE(control->text(QAccessible::Name), Child<QPushButton>(button)->text());
        }
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
