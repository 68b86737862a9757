// SPDX-License-Identifier: MIT
// Widget tests of the window's fields on Qt's offscreen platform: the typed
// length limit of eight that leaves the program's results whole, the focus
// handler's selection after a click or Tab, and keys that press nothing.
#include <QApplication>
#include <QClipboard>
#include <QtTest>

#include "form/entry_checks.h"
#include "tests/window/qt_window.h"
#include "window/qt/field_edit.h"

using ostrel::FieldEdit;
using ostrel::test::Box;
using ostrel::test::ClosingBoxes;

class FieldEditTest : public QObject, public ostrel::test::QtWindow {
    Q_OBJECT

  private slots:
    void init() { QVERIFY(Open()); }
    void cleanup() { Close(); }

    void longResultIsStoredWholeAndSelectedByEight() {
        Fill({"0", "0", "46340", "0"});
        QTest::mouseClick(Child("Command1"), Qt::LeftButton);
        QCOMPARE(Field(4)->text(), QString("1073720970"));
        Field(3)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Field(3), Qt::Key_Tab);
        QCOMPARE(FocusName(), QString("Text4"));
        QCOMPARE(Field(4)->selectedText(), QString("10737209"));
        QCOMPARE(Field(4)->selectionStart(), 0);
        // Nothing more can be typed into it until enough is deleted.
        QTest::keyClick(Field(4), Qt::Key_End);
        QTest::keyClicks(Field(4), "5");
        QCOMPARE(Field(4)->text(), QString("1073720970"));
        QTest::keyClick(Field(4), Qt::Key_Backspace);
        QTest::keyClick(Field(4), Qt::Key_Backspace);
        QTest::keyClicks(Field(4), "56");
        QCOMPARE(Field(4)->text(), QString("10737209"));
    }

    void typingAndPastingStopAtEight() {
        QTest::keyClicks(Field(1), "123456789");
        QCOMPARE(Field(1)->text(), QString("12345678"));
        Field(2)->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(Field(2), "12");
        QApplication::clipboard()->setText("abcdefghij");
        QTest::keySequence(Field(2), QKeySequence::Paste);
        QCOMPARE(Field(2)->text(), QString("12abcdef"));
        QCOMPARE(Field(2)->cursorPosition(), 8);
        QTest::keyClick(Field(2), Qt::Key_Home);
        QTest::keySequence(Field(2), QKeySequence::Paste);
        QCOMPARE(Field(2)->text(), QString("12abcdef"));
        Field(2)->undo();  // edits that were cut can still be taken back
        QVERIFY(Field(2)->text().size() <= 8);
    }

    // A NUL pasted into a field is part of the text the checks judge, as
    // the person sees it: "5", NUL, "99" is no number, not 5.
    void pastedNulIsNoNumber() {
        Fill({"", "12", "15", "0"});
        Field(1)->setFocus(Qt::TabFocusReason);
        QApplication::clipboard()->setText(
            QString::fromUtf8("5\0"
                              "99",
                              4));
        QTest::keySequence(Field(1), QKeySequence::Paste);
        QCOMPARE(Field(1)->text(), QString::fromUtf8("5\0"
                                                     "99",
                                                     4));
        const QList<Box> boxes =
            ClosingBoxes([&] { QTest::mouseClick(Child("Command1"), Qt::LeftButton); });
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text,
                 QString::fromUtf8(ostrel::kNotANumberMessage.data(),
                                   static_cast<qsizetype>(ostrel::kNotANumberMessage.size())));
        QCOMPARE(Field(1)->text(), QString("0"));
    }

    void typedLimit_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<int>("keptCaret");
        QTest::newRow("within the limit") << "1234567"
                                          << "12345678" << 8 << "12345678" << 8;
        QTest::newRow("ninth character") << "12345678"
                                         << "123456789" << 9 << "12345678" << 8;
        QTest::newRow("paste in the middle") << "1234"
                                             << "12abcdef34" << 8 << "12abcd34" << 6;
        QTest::newRow("paste over a selection") << "12345678"
                                                << "1xyzw678" << 5 << "1xyzw678" << 5;
        QTest::newRow("repeated characters") << "ab"
                                             << "ababababab" << 10 << "abababab" << 8;
        QTest::newRow("insert in repeats") << "aaaa"
                                           << "aaaaaaaaaa" << 7 << "aaaaaaaa" << 5;
        QTest::newRow("long program text, deleting") << "1073720970"
                                                     << "107372097" << 9 << "107372097" << 9;
        QTest::newRow("long program text, replacing one") << "1073720970"
                                                          << "1073720975" << 10 << "107372097" << 9;
        QTest::newRow("long program text, replacing eight") << "1073720970"
                                                            << "570" << 1 << "570" << 1;
    }
    void typedLimit() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(int, caret);
        QFETCH(QString, kept);
        QFETCH(int, keptCaret);
        FieldEdit::LimitTypedText(before, after, caret);
        QCOMPARE(after, kept);
        QCOMPARE(caret, keptCaret);
    }

    void clickInFieldSelectsFromTheStart() {
        Field(3)->SetProgramText("12345");
        QTest::mouseClick(Field(3), Qt::LeftButton, {}, QPoint(40, 12));
        QTRY_COMPARE(Field(3)->selectedText(), QString("12345"));
        QCOMPARE(Field(3)->selectionStart(), 0);
    }

    void enterAndEscapeInAFieldPressNothing() {
        Fill({"10", "12", "15", "7"});
        const QList<Box> boxes = ClosingBoxes([&] {
            for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
                QTest::keyClick(Field(1), static_cast<Qt::Key>(key));
            }
            QTest::qWait(30);
        });
        QVERIFY(boxes.isEmpty());
        QCOMPARE(Texts(), (QStringList{"10", "12", "15", "7"}));
        QVERIFY(form_->isVisible());
    }
};

QTEST_MAIN(FieldEditTest)
#include "field_edit_test.moc"
