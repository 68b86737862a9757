// SPDX-License-Identifier: MIT
#include "window/qt/field_edit.h"

#include <QFocusEvent>
#include <QValidator>
#include <algorithm>

#include "form/entry_checks.h"

namespace ostrel {

// Enforces the typed-length limit. QLineEdit validates every change, by the
// user or by setText, and uses the text the validator leaves; that lets the
// limit cut a paste to what fits instead of refusing all of it.
class TypedLengthValidator final : public QValidator {
  public:
    explicit TypedLengthValidator(FieldEdit* edit) : QValidator(edit), edit_(edit) {}

    State validate(QString& input, int& caret) const override {
        if (!edit_->programWrite_) {
            FieldEdit::LimitTypedText(edit_->textBeforeEdit_, input, caret);
            if (input != edit_->textBeforeEdit_) {
                edit_->holdsProgramText_ = false;
            }
        }
        edit_->textBeforeEdit_ = input;
        return Acceptable;
    }

  private:
    FieldEdit* edit_;
};

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent), textBeforeEdit_(text()) {
    setValidator(new TypedLengthValidator(this));
}

void FieldEdit::SetProgramText(const QString& text) {
    programWrite_ = true;
    setText(text);
    programWrite_ = false;
    textBeforeEdit_ = this->text();
    holdsProgramText_ = true;
}

void FieldEdit::LimitTypedText(const QString& before, QString& after, int& caret) {
    const qsizetype limit = kTypedLengthLimit;
    if (after.size() <= limit) {
        return;
    }
    // The edit replaced before[start, before.size() - kept) by
    // after[start, caret): the caret ends where the inserted text ends.
    const qsizetype kept = std::clamp<qsizetype>(after.size() - caret, 0, before.size());
    qsizetype start = 0;
    const qsizetype maxStart = std::min<qsizetype>(caret, before.size() - kept);
    while (start < maxStart && before[start] == after[start]) {
        ++start;
    }
    const qsizetype inserted = caret - start;
    const qsizetype remaining = start + kept;  // of the text before, after the removal
    const qsizetype room = std::max<qsizetype>(0, limit - remaining);
    if (inserted <= room) {
        return;
    }
    after = after.left(start + room) + after.right(kept);
    caret = static_cast<int>(start + room);
}

void FieldEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    const bool returning = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
    if (returning && keptFocus_) {
        keptFocus_ = false;
        return;
    }
    keptFocus_ = false;
    if (reason == Qt::MouseFocusReason) {
        // The click that gave the focus is still being delivered and will
        // place the caret; answer once it has.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (hasFocus()) {
                    emit gotFocus();
                }
            },
            Qt::QueuedConnection);
        return;
    }
    emit gotFocus();
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    keptFocus_ = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
    QLineEdit::focusOutEvent(event);
}

}  // namespace ostrel
