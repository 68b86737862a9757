#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "form/calculator_form.h"

// The web window's side of the calculator, without the browser: a page cannot
// stop a C++ handler while its message box is open, so each handler runs to
// its end on the texts the page's fields hold, and what it did is handed to
// the page as steps to play in order: a write, a selection, a message box
// that the page waits on before the steps after it.
namespace ostrel::web {

struct Step {
    enum class Kind { Write, Select, Message };
    Kind kind = Kind::Write;
    Field field = Field::Text1;  // Write and Select
    std::string text;            // Write and Message
    int start = 0;               // Select
    int length = 0;              // Select
};

// CalculatorForm on a copy of the page's four field texts. A handler reads
// the texts as its own earlier writes left them, as on a window that made
// them at once; the page makes them when it plays the steps.
class Form1 final : public CalculatorForm {
  public:
    Form1(std::array<std::string, 4> texts, std::string separator);

    [[nodiscard]] std::string GetText(Field field) const override;
    void SetText(Field field, std::string_view text) override;
    void SetSelection(Field field, int start, int length) override;
    void ShowMessage(std::string_view text) override;
    [[nodiscard]] std::string DecimalSeparator() const override;

    [[nodiscard]] const std::vector<Step>& Steps() const { return steps_; }

  private:
    std::array<std::string, 4> texts_;
    std::string separator_;
    std::vector<Step> steps_;
};

// Runs the Click handler that the window's design binds to `control` (a
// button's name, "Command1"), on the field texts `texts` (Text1 to Text4)
// with the browser language's decimal separator. Whatever the handler
// raises ends it and is reported as a last message step; nothing is thrown.
// No steps for a control with no handler the page runs.
[[nodiscard]] std::vector<Step> Click(std::string_view control, std::array<std::string, 4> texts,
                                      std::string separator);

// Runs the focus handler of the field named `field` ("Text1").
[[nodiscard]] std::vector<Step> GotFocus(std::string_view field, std::array<std::string, 4> texts,
                                         std::string separator);

}  // namespace ostrel::web
