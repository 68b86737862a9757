// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>
#include <QString>

namespace ostrel {

// A one-line field of the calculator.
//
// The user can type or paste at most kTypedLengthLimit characters: once the
// field holds that many, further typed characters are refused and a paste is
// cut to what fits. Texts the program writes (SetProgramText) are stored
// whole, however long; QLineEdit's own maxLength would cut those too, so it is
// not used.
//
// gotFocus() is emitted when the field receives the focus, after Qt's own
// focus handling (and, for a click, after the click has placed the caret), so
// that a selection made in response stands. A field that kept the focus while
// the window or a popup menu was active elsewhere does not emit it again.
class FieldEdit final : public QLineEdit {
    Q_OBJECT

  public:
    explicit FieldEdit(QWidget* parent = nullptr);

    // Writes a text computed by the program, whole.
    void SetProgramText(const QString& text);

    // True while the field holds what the program last wrote, unedited; only
    // then may it hold more than kTypedLengthLimit characters.
    [[nodiscard]] bool HoldsProgramText() const { return holdsProgramText_; }

    // The limit applied to one edit by the user: the text as it was before the
    // edit, the edited text and the caret after it. Cuts what the edit
    // inserted to the room left and moves the caret to the end of the kept
    // part; an edit that stays within the room is left alone.
    static void LimitTypedText(const QString& before, QString& after, int& caret);

  signals:
    void gotFocus();

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    friend class TypedLengthValidator;

    QString textBeforeEdit_;
    bool programWrite_ = false;
    bool holdsProgramText_ = false;
    bool keptFocus_ = false;
};

}  // namespace ostrel
