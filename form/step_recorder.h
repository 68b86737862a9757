// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "form/calculator_form.h"

namespace ostrel {

// One thing a handler did to the form.
struct Step {
    enum class Kind { Write, Select, Message };
    Kind kind = Kind::Write;
    Field field = Field::Text1;  // Write and Select
    std::string text;            // Write and Message
    int start = 0;               // Select
    int length = 0;              // Select
};

// "write", "select", "message": the kinds by the names the web page's script
// knows them by.
[[nodiscard]] std::string_view StepKindName(Step::Kind kind);

// CalculatorForm on a copy of four field texts that records every write,
// selection and message, in order. A handler reads the texts as its own
// earlier writes left them, as on a window that made them at once.
//
// The web window runs its handlers on one and has the page play the steps
// (a page cannot stop C++ while its message box is open); the form tests
// check the handlers on one.
class StepRecorder final : public CalculatorForm {
  public:
    StepRecorder(std::array<std::string, 4> texts, std::string separator);

    [[nodiscard]] std::string GetText(Field field) const override;
    void SetText(Field field, std::string_view text) override;
    void SetSelection(Field field, int start, int length) override;
    void ShowMessage(std::string_view text) override;
    [[nodiscard]] std::string DecimalSeparator() const override;

    // Text1 to Text4 as the steps so far have left them.
    [[nodiscard]] const std::array<std::string, 4>& Texts() const { return texts_; }
    [[nodiscard]] const std::vector<Step>& Steps() const { return steps_; }

  private:
    std::array<std::string, 4> texts_;
    std::string separator_;
    std::vector<Step> steps_;
};

}  // namespace ostrel
