// SPDX-License-Identifier: MIT
#include "form/entry_checks.h"

#include "core/numbers.h"
#include "core/real.h"

namespace ostrel {

void NumericCheck(CalculatorForm& form, Field field) {
    if (!IsNumericText(form.GetText(field), form.DecimalSeparator())) {
        form.ShowMessage(kNotANumberMessage);
        form.SetText(field, "0");
    }
}

void LimitCheck(CalculatorForm& form, Field field, double limit, std::string_view message) {
    const double value = TextToReal(form.GetText(field), form.DecimalSeparator());
    if (value > limit) {
        form.ShowMessage(message);
        form.SetText(field, "0");
    }
}

void SpreadCheck(CalculatorForm& form, Field field) {
    const std::string gevText = form.GetText(Field::Text2);
    const std::string fieldText = form.GetText(field);
    const std::string separator = form.DecimalSeparator();
    const double value = TextToReal(fieldText, separator);
    const double gev = TextToReal(gevText, separator);
    const double spread = TestReal(RealSubtract(value, gev));
    if (spread > kSpreadLimit) {
        form.ShowMessage(kSpreadMessage);
        for (Field each : kAllFields) {
            form.SetText(each, "0");
        }
    }
}

}  // namespace ostrel
