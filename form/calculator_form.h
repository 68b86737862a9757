// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace ostrel {

// The four one-line fields of the calculator.
enum class Field { Text1, Text2, Text3, Text4 };

inline constexpr std::array<Field, 4> kAllFields = {Field::Text1, Field::Text2, Field::Text3,
                                                    Field::Text4};

// "Text1" ... "Text4": each field's name, which is also its control's name
// in the window's design table.
[[nodiscard]] constexpr std::string_view FieldName(Field field) {
    switch (field) {
        case Field::Text1:
            return "Text1";
        case Field::Text2:
            return "Text2";
        case Field::Text3:
            return "Text3";
        case Field::Text4:
            return "Text4";
    }
    return "";
}

// The logic's view of the calculator window. The four field texts are the
// whole state of the program; every command reads them afresh and writes its
// results back as text. The desktop windows implement this on their real
// controls; the web window and the form tests on a StepRecorder.
class CalculatorForm {
  public:
    virtual ~CalculatorForm() = default;

    [[nodiscard]] virtual std::string GetText(Field field) const = 0;
    // Stores the whole text, however long: the limit of 8 characters is for
    // what the user types, not for what the program writes.
    virtual void SetText(Field field, std::string_view text) = 0;
    // Selects `length` characters from `start` (0 = before the first); a
    // length beyond the end selects to the end.
    virtual void SetSelection(Field field, int start, int length) = 0;
    // A modal message with one OK button, no icon and the title "Ostrel";
    // returns when the user has closed it.
    virtual void ShowMessage(std::string_view text) = 0;
    // The decimal separator of the user's locale, as the conversions use it.
    [[nodiscard]] virtual std::string DecimalSeparator() const = 0;

  protected:
    CalculatorForm() = default;
    CalculatorForm(const CalculatorForm&) = default;
    CalculatorForm& operator=(const CalculatorForm&) = default;
};

}  // namespace ostrel
