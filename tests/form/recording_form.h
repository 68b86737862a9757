#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "form/calculator_form.h"

namespace ostrel::test {

// A CalculatorForm that keeps its texts in memory and records every write,
// selection and message, in order.
class RecordingForm final : public CalculatorForm {
  public:
    RecordingForm(std::array<std::string, 4> texts, std::string separator)
        : texts_(std::move(texts)), separator_(std::move(separator)) {}

    [[nodiscard]] std::string GetText(Field field) const override { return texts_[Index(field)]; }
    void SetText(Field field, std::string_view text) override {
        texts_[Index(field)] = std::string(text);
        events_.push_back(std::string(FieldName(field)) + " = " + std::string(text));
    }
    void SetSelection(Field field, int start, int length) override {
        events_.push_back("select " + std::string(FieldName(field)) + ' ' + std::to_string(start) +
                          ' ' + std::to_string(length));
    }
    void ShowMessage(std::string_view text) override {
        messages_.emplace_back(text);
        events_.push_back("message: " + std::string(text));
    }
    [[nodiscard]] std::string DecimalSeparator() const override { return separator_; }

    [[nodiscard]] const std::array<std::string, 4>& Texts() const { return texts_; }
    [[nodiscard]] const std::vector<std::string>& Messages() const { return messages_; }
    [[nodiscard]] const std::vector<std::string>& Events() const { return events_; }

  private:
    static std::size_t Index(Field field) { return static_cast<std::size_t>(field); }

    std::array<std::string, 4> texts_;
    std::string separator_;
    std::vector<std::string> messages_;
    std::vector<std::string> events_;
};

}  // namespace ostrel::test
