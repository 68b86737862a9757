// SPDX-License-Identifier: MIT
// The window as a citizen of the Linux desktop: Qt's own texts in Swedish,
// text legible in any colour scheme, and sharp, fitting captions at any
// scale. Run once as is and again under QT_SCALE_FACTOR 1.5 and 2.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QtTest>

#include "window/contrast.h"
#include "window/layout.h"
#include "window/qt/field_edit.h"
#include "window/qt/form1.h"
#include "window/qt/translations.h"

using ostrel::Form1;
namespace layout = ostrel::layout;

namespace {

layout::Rgb ToRgb(const QColor& colour) {
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

// What a label or button shows, without mnemonics and shortcut columns.
QString Plain(QString text) {
    text = text.section('\t', 0, 0);
    return text.remove('&');
}

// The device-pixel columns of `label` where its letters leave ink: the label
// drawn with its text and without, compared. An underline runs under the
// caption's blanks too, so it is left out.
std::pair<int, int> InkColumns(QLabel* label) {
    const QFont font = label->font();
    QFont plain = font;
    plain.setUnderline(false);
    label->setFont(plain);
    const qreal ratio = label->devicePixelRatioF();
    const auto draw = [&] {
        QImage image((QSizeF(label->size()) * ratio).toSize(), QImage::Format_ARGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        label->render(&image);
        return image;
    };
    const QImage with = draw();
    const QString text = label->text();
    label->setText(QString());
    const QImage without = draw();
    label->setText(text);
    label->setFont(font);
    int left = with.width();
    int right = -1;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            if (with.pixel(x, y) != without.pixel(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return {left, right};
}

// Saves what `widget` shows as NAME.png where OSTREL_SCREENSHOT_DIR says,
// for people to look at.
void SaveShot(QWidget& widget, const QString& name) {
    const QString dir = qEnvironmentVariable("OSTREL_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        widget.grab().save(dir + "/" + name + ".png");
    }
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QCOMPARE(ostrel::InstallSwedishTranslations(*qApp), 2); }

    // Every Qt text the user can reach: a field's context menu, the message
    // box's button, what a screen reader says a button and a field can do.
    void qtTextsAreSwedish() {
        Form1 form;
        auto* field = form.findChild<ostrel::FieldEdit*>("Text1");
        QVERIFY(field != nullptr);
        field->setText("12");
        std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
        QStringList shown;
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                shown << Plain(action->text());
            }
        }
        QCOMPARE(shown, QStringList({"Ångra", "Gör om", "Klipp ut", "Kopiera", "Klistra in",
                                     "Ta bort", "Markera alla"}));

        QMessageBox box;
        box.setStandardButtons(QMessageBox::Ok);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QString("OK"));

        for (const char* name : {"Command1", "Text1"}) {
            QAccessibleInterface* accessible =
                QAccessible::queryAccessibleInterface(form.findChild<QWidget*>(name));
            QVERIFY(accessible != nullptr && accessible->actionInterface() != nullptr);
            QAccessibleActionInterface* actions = accessible->actionInterface();
            for (const QString& action : actions->actionNames()) {
                const QString said = actions->localizedActionName(action);
                QVERIFY2(said == "Tryck" || said == "Ge fokus", qPrintable(name + (": " + said)));
                QVERIFY(actions->localizedActionDescription(action) != action);
            }
        }
    }

    // The system's text colour where it can be read on the fixed background,
    // black or white where it cannot; and again when the scheme changes
    // while the window is open.
    void textIsLegibleInAnyScheme() {
        const QPalette original = QApplication::palette();
        QPalette light = original;
        light.setColor(QPalette::WindowText, QColor(20, 20, 90));
        QApplication::setPalette(light);
        Form1 form;
        const auto* legend = form.findChild<QLabel*>("Label9");
        QCOMPARE(legend->palette().color(QPalette::WindowText), QColor(20, 20, 90));

        QPalette dark = original;  // a dark scheme's light text on dark windows
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            dark.setColor(role, QColor(239, 240, 241));
        }
        dark.setColor(QPalette::Window, QColor(35, 38, 41));
        dark.setColor(QPalette::Base, QColor(20, 22, 24));
        dark.setColor(QPalette::Button, QColor(49, 54, 59));
        QApplication::setPalette(dark);
        QApplication::processEvents();

        const QImage background(":/ostrel/background.bmp");
        for (const layout::Control& control : layout::kControls) {
            if (control.kind != layout::Kind::Label) {
                continue;
            }
            const auto* label = form.findChild<QLabel*>(control.name.data());
            const layout::Rgb text = ToRgb(label->palette().color(QPalette::WindowText));
            if (control.text) {
                QCOMPARE(text, *control.text);  // the design's blue reads on the picture
            }
            std::vector<layout::Rgb> behind;
            const QRect area = label->geometry().intersected(background.rect());
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    behind.push_back(control.fill ? *control.fill
                                                  : ToRgb(background.pixelColor(x, y)));
                }
            }
            const double ratio = ostrel::contrast::RatioOver(text, behind);
            QVERIFY2(ratio >= ostrel::contrast::kLegible,
                     qPrintable(QString("%1: %2").arg(control.name.data()).arg(ratio)));
        }
        SaveShot(form, "dark");
        QApplication::setPalette(original);
    }

    // No caption touches or crosses its control's edge, at this run's scale.
    void captionsFit() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        SaveShot(form, QString("scale-%1").arg(form.devicePixelRatioF()));
        for (const layout::Control& control : layout::kControls) {
            if (control.caption.empty() || control.kind == layout::Kind::TextBox) {
                continue;
            }
            const QString name = QString::fromUtf8(control.name);
            if (auto* label = form.findChild<QLabel*>(name)) {
                const auto [left, right] = InkColumns(label);
                // Inside the label; in the legend, a window pixel clear of the
                // box's border, which lies on the label's outermost pixels.
                const qreal ratio = label->devicePixelRatioF();
                const int width = qRound(label->width() * ratio);
                const int clear = control.fill ? qCeil(2 * ratio) : 0;
                QVERIFY2(
                    left >= clear && right <= width - 1 - clear,
                    qPrintable(
                        QString("%1: ink %2..%3 of %4").arg(name).arg(left).arg(right).arg(width)));
            } else if (auto* button = form.findChild<QPushButton*>(name)) {
                QStyleOptionButton option;
                option.initFrom(button);
                const QRect inside =
                    button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
                QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) < inside.width(),
                         qPrintable(name));
            }
        }
    }

    // On a Wayland compositor (the Wayland test runs just this): the window
    // maps, and typing 10, 12, 15 and pressing Beräkna EP gives 8.
    void answersOnWayland() {
        if (QGuiApplication::platformName() != "wayland") {
            QSKIP("run by the Wayland test, on a Wayland compositor");
        }
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const std::pair<const char*, const char*> typed[] = {
            {"Text1", "10"}, {"Text2", "12"}, {"Text3", "15"}};
        for (const auto& [name, text] : typed) {
            auto* field = form.findChild<ostrel::FieldEdit*>(name);
            field->selectAll();
            QTest::keyClicks(field, text);
        }
        QTest::mouseClick(form.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(form.findChild<ostrel::FieldEdit*>("Text4")->text(), QString("8"));
    }

    // At two screen pixels to a window pixel, the background is the picture
    // drawn at that size, not the small one enlarged.
    void backgroundIsSharpAtTwice() {
        Form1 form;
        QImage shot(form.size() * 2, QImage::Format_RGB32);
        shot.setDevicePixelRatio(2);
        form.render(&shot);
        const QImage sharp(":/ostrel/background@2x.png");
        const QImage small(":/ostrel/background.bmp");
        // Below the strip, left of the captions: the shot is much nearer the
        // large picture than the small one enlarged is.
        const auto distance = [](QRgb a, QRgb b) {
            return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                   std::abs(qBlue(a) - qBlue(b));
        };
        long fromSharp = 0;
        long smallFromSharp = 0;
        for (int y = 24; y < 44; ++y) {
            for (int x = 0; x < 30; ++x) {
                fromSharp += distance(shot.pixel(x, y), sharp.pixel(x, y));
                smallFromSharp += distance(small.pixel(x / 2, y / 2), sharp.pixel(x, y));
            }
        }
        QVERIFY2(fromSharp * 4 < smallFromSharp,
                 qPrintable(QString("%1 vs %2").arg(fromSharp).arg(smallFromSharp)));
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
