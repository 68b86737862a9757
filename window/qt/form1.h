// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QLocale>
#include <QWidget>
#include <array>
#include <vector>

#include "form/calculator_form.h"
#include "link/home_page.h"
#include "window/layout.h"

class QLabel;
class QPushButton;

namespace ostrel {

class FieldEdit;

// The calculator's only window. It implements CalculatorForm on its four
// fields and a modal message box, and hands the buttons' and the link label's
// clicks and the fields' focus to the shared event binding
// (window/event_binding.h), which runs the handlers of form/ and link/ and
// reports a number error that leaves one; nothing is ever thrown into Qt's
// event loop.
class Form1 final : public QWidget, public CalculatorForm {
    Q_OBJECT

  public:
    // `locale` supplies the decimal separator the conversions use.
    explicit Form1(const QLocale& locale = QLocale::system(), QWidget* parent = nullptr);
    ~Form1() override;

    // CalculatorForm
    [[nodiscard]] std::string GetText(Field field) const override;
    void SetText(Field field, std::string_view text) override;
    void SetSelection(Field field, int start, int length) override;
    void ShowMessage(std::string_view text) override;
    [[nodiscard]] std::string DecimalSeparator() const override;

    // Replaces what the link label calls to open the home page (tests).
    void SetOpener(Opener opener);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // A label and, where it has no fill, the picture's pixels under it.
    struct Caption {
        QLabel* label;
        const layout::Control* control;
        std::vector<layout::Rgb> picture;
    };

    void BuildControls();
    // Gives each label a text colour that can be read on its background.
    void ApplyTextColours();
    FieldEdit* Edit(Field field) const;

    QLocale locale_;
    QImage background_;
    QImage sharpBackground_;  // read on the first paint at more than 1 pixel a pixel
    std::vector<Caption> captions_;
    std::array<FieldEdit*, 4> fields_{};
    Opener opener_;
};

}  // namespace ostrel
