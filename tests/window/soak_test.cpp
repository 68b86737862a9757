// SPDX-License-Identifier: MIT
// Soak test: drives the real window through many seeded random user actions
// (typing, pasting, Tab, clicks on fields, buttons and the link, closing every
// message box as a user would) and checks after each one that nothing escaped,
// that no field holds more typed text than the limit allows and that every
// message shown was one the program can show.
//
// OSTREL_SOAK_SEED and OSTREL_SOAK_ACTIONS replay or lengthen a run.
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <fstream>
#include <random>
#include <set>
#include <string>

#include "form/entry_checks.h"
#include "window/error_report.h"
#include "window/qt/field_edit.h"
#include "window/qt/form1.h"

using ostrel::FieldEdit;
using ostrel::Form1;

namespace {

unsigned long EnvNumber(const char* name, unsigned long fallback) {
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? fallback : value.toULong();
}

long ResidentKib() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = -1;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            break;
        }
    }
    return value;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;  // ASan's quarantine holds freed memory on purpose
#else
constexpr bool kSanitized = false;
#endif

}  // namespace

class SoakTest : public QObject {
    Q_OBJECT

  private slots:
    void randomUserActions();
};

void SoakTest::randomUserActions() {
    const unsigned long start = EnvNumber("OSTREL_SOAK_SEED", 20261207);
    const unsigned long actions = EnvNumber("OSTREL_SOAK_ACTIONS", 20000);
    std::mt19937 random(static_cast<std::mt19937::result_type>(start));
    auto pick = [&](auto n) {
        return static_cast<decltype(n)>(random() % static_cast<std::mt19937::result_type>(n));
    };
    const QString replay = QString("replay with OSTREL_SOAK_SEED=%1").arg(start);

    Form1 form(QLocale(QLocale::Swedish, QLocale::Sweden));
    int linkClicks = 0;
    form.SetOpener([&](auto...) {
        ++linkClicks;
        return true;
    });
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    std::set<QString> allowed;
    for (std::string_view message : {ostrel::kNotANumberMessage, ostrel::kBadGevMessage,
                                     ostrel::kBadEpMessage, ostrel::kSpreadMessage}) {
        allowed.insert(QString::fromUtf8(message.data(), qsizetype(message.size())));
    }
    for (auto kind :
         {ostrel::ErrorKind::Overflow, ostrel::ErrorKind::Conversion, ostrel::ErrorKind::Real}) {
        allowed.insert(QString::fromUtf8(ostrel::ErrorReport(kind)));
    }

    // Closes every message box the way a user might: OK, Enter, Escape, space.
    QStringList shown;
    QTimer closer;
    closer.setInterval(0);
    connect(&closer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        shown.append(box->text());
        switch (pick(4u)) {
            case 0:
                box->button(QMessageBox::Ok)->click();
                break;
            case 1:
                QTest::keyClick(box, Qt::Key_Return);
                break;
            case 2:
                QTest::keyClick(box, Qt::Key_Escape);
                break;
            default:
                QTest::keyClick(box->button(QMessageBox::Ok), Qt::Key_Space);
                break;
        }
    });
    closer.start();

    FieldEdit* fields[4];
    for (int i = 0; i < 4; ++i) {
        fields[i] = form.findChild<FieldEdit*>(QString("Text%1").arg(i + 1));
    }
    QWidget* buttons[] = {form.findChild<QWidget*>("Command1"),
                          form.findChild<QWidget*>("Command2"),
                          form.findChild<QWidget*>("Command3")};
    QWidget* link = form.findChild<QWidget*>("Label10");

    const QString symbols = "0123456789+-.,eE abcxyzäö€日\t";
    auto randomText = [&](int most) {
        QString text;
        const int length = pick(most + 1);
        for (int i = 0; i < length; ++i) {
            // Mostly digits, so that calculations often succeed.
            text += pick(3) == 0 ? symbols[pick(int(symbols.size()))] : QChar('0' + pick(10));
        }
        return text;
    };
    auto typeInto = [&](QWidget* target, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        }
    };

    long residentAfterWarmUp = 0;
    for (unsigned long step = 0; step < actions; ++step) {
        QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr) {
            focus = fields[0];
        }
        try {
            switch (pick(20)) {
                case 0:
                case 1:
                case 2:
                case 3:
                case 4:
                    typeInto(focus, randomText(4));
                    break;
                case 5:
                    QApplication::clipboard()->setText(randomText(30));
                    QTest::keySequence(focus, QKeySequence::Paste);
                    break;
                case 6:
                case 7:
                    QTest::keyClick(focus, Qt::Key_Tab);
                    break;
                case 8:
                    QTest::keyClick(focus, Qt::Key_Backtab);
                    break;
                case 9:
                case 10:
                case 11:
                case 12:
                    QTest::mouseClick(buttons[pick(3)], Qt::LeftButton);
                    break;
                case 13:
                case 14: {
                    FieldEdit* field = fields[pick(4)];
                    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(2 + pick(50), 12));
                    break;
                }
                case 15:
                    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(100 + pick(90), 8));
                    break;
                case 16:
                    QTest::keySequence(focus, QKeySequence::SelectAll);
                    QTest::keyClick(focus, Qt::Key_Backspace);
                    break;
                case 17: {
                    const Qt::Key keys[] = {Qt::Key_Home,   Qt::Key_End,    Qt::Key_Left,
                                            Qt::Key_Delete, Qt::Key_Return, Qt::Key_Escape};
                    QTest::keyClick(focus, keys[pick(6)]);
                    break;
                }
                case 18:
                    QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);  // undo
                    break;
                default:
                    QTest::keyClick(focus, Qt::Key_Space);  // presses a focused button
                    break;
            }
            QCoreApplication::processEvents();
        } catch (...) {
            QFAIL(
                qPrintable(QString("an exception escaped at action %1; %2").arg(step).arg(replay)));
        }

        for (FieldEdit* field : fields) {
            if (field->text().size() > ostrel::kTypedLengthLimit && !field->HoldsProgramText()) {
                QFAIL(qPrintable(QString("%1 holds typed text '%2' at action %3; %4")
                                     .arg(field->objectName(), field->text())
                                     .arg(step)
                                     .arg(replay)));
            }
        }
        for (const QString& text : shown) {
            if (allowed.count(text) == 0) {
                QFAIL(qPrintable(QString("unknown message '%1' at action %2; %3")
                                     .arg(text)
                                     .arg(step)
                                     .arg(replay)));
            }
        }
        if (step + 1 == 1000) {
            residentAfterWarmUp = ResidentKib();
        }
        if (step % 5000 == 0 || step + 1 == actions) {
            qInfo("action %lu: %lld messages so far, %d link clicks, RSS %ld KiB", step,
                  qlonglong(shown.size()), linkClicks, ResidentKib());
        }
    }

    // A known calculation still works, typed as a user would.
    QTest::mouseClick(buttons[2], Qt::LeftButton);  // Rensa
    const char* inputs[] = {"10", "12", "15"};
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(fields[i], Qt::LeftButton);
        QCoreApplication::processEvents();
        QTest::keyClicks(fields[i], inputs[i]);
    }
    QTest::mouseClick(buttons[0], Qt::LeftButton);
    QCOMPARE(fields[3]->text(), QString("8"));

    const long residentAtEnd = ResidentKib();
    qInfo(
        "%lu actions from %lu: %lld message boxes, %d link clicks; RSS %ld KiB after 1000, %ld "
        "KiB at the end",
        actions, start, qlonglong(shown.size()), linkClicks, residentAfterWarmUp, residentAtEnd);
    if (!kSanitized && actions >= 1000) {
        QVERIFY2(residentAtEnd - residentAfterWarmUp <= 2048,
                 qPrintable(QString("resident memory grew by %1 KiB; %2")
                                .arg(residentAtEnd - residentAfterWarmUp)
                                .arg(replay)));
    }
}

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
