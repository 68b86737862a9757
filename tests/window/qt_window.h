// SPDX-License-Identifier: MIT
#pragma once

// What the Qt window's widget tests share: a window made anew for each test
// function, its controls by name, and message boxes closed as a user would.
#include <QApplication>
#include <QList>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "window/qt/field_edit.h"
#include "window/qt/form1.h"

namespace ostrel::test {

// What a message box showed, as the user saw it.
struct Box {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
};

// Closes every message box that opens while `action` runs, as a user would
// with its OK button, and returns what they showed.
inline QList<Box> ClosingBoxes(const std::function<void()>& action) {
    QList<Box> boxes;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        boxes.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
        box->button(QMessageBox::Ok)->click();
    });
    timer.start();
    action();
    return boxes;
}

// The window under test and its controls; a test class opens it in init()
// and closes it in cleanup().
class QtWindow {
  protected:
    // Shows a new window, in the English of the United States (a point for
    // the decimal separator); whether it became the active window.
    [[nodiscard]] bool Open() {
        form_ = std::make_unique<Form1>(QLocale(QLocale::English, QLocale::UnitedStates));
        form_->show();
        form_->activateWindow();
        return QTest::qWaitForWindowActive(form_.get());
    }
    void Close() { form_.reset(); }

    template <class T = QWidget>
    T* Child(const char* name) {
        auto* child = form_->findChild<T*>(name);
        if (child == nullptr) {
            qFatal("no control named %s", name);
        }
        return child;
    }
    FieldEdit* Field(int n) { return Child<FieldEdit>(qPrintable(QString("Text%1").arg(n))); }
    void Fill(const QStringList& texts) {
        for (int i = 0; i < 4; ++i) {
            Field(i + 1)->SetProgramText(texts[i]);
        }
    }
    QStringList Texts() {
        return {Field(1)->text(), Field(2)->text(), Field(3)->text(), Field(4)->text()};
    }
    static QString FocusName() {
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? focus->objectName() : QString();
    }

    std::unique_ptr<Form1> form_;
};

}  // namespace ostrel::test
