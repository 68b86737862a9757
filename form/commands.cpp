// SPDX-License-Identifier: MIT
#include "form/commands.h"

#include "core/cost_rules.h"
#include "core/numbers.h"
#include "form/entry_checks.h"

namespace ostrel {
namespace {

Checked32 WholeIn(const CalculatorForm& form, Field field) {
    return TextToWhole(form.GetText(field), form.DecimalSeparator());
}

}  // namespace

void Command1Click(CalculatorForm& form) {
    NumericCheck(form, Field::Text1);
    NumericCheck(form, Field::Text2);
    NumericCheck(form, Field::Text3);
    LimitCheck(form, Field::Text2, kGevLimit, kBadGevMessage);
    SpreadCheck(form, Field::Text1);
    SpreadCheck(form, Field::Text3);

    const Checked32 fv = WholeIn(form, Field::Text1);
    const Checked32 gev = WholeIn(form, Field::Text2);
    const Checked32 fvb = WholeIn(form, Field::Text3);
    const Checked32 ep = EpCost(fv, gev, fvb);

    form.SetText(Field::Text4, WholeToText(ep));
}

void Command2Click(CalculatorForm& form) {
    NumericCheck(form, Field::Text1);
    NumericCheck(form, Field::Text2);
    NumericCheck(form, Field::Text4);
    LimitCheck(form, Field::Text2, kGevLimit, kBadGevMessage);
    LimitCheck(form, Field::Text4, kEpLimit, kBadEpMessage);
    SpreadCheck(form, Field::Text1);
    // FVb still holds what was typed or computed before; it has had no
    // numeric check, so letters there end the command here.
    SpreadCheck(form, Field::Text3);

    const Checked32 fv = WholeIn(form, Field::Text1);
    const Checked32 gev = WholeIn(form, Field::Text2);
    const Checked32 ep = WholeIn(form, Field::Text4);
    const Reach reach = FvbReach(fv, gev, ep);

    form.SetText(Field::Text3, WholeToText(reach.fvb));
    form.SetText(Field::Text4, WholeToText(reach.left));
}

void Command3Click(CalculatorForm& form) {
    for (Field field : kAllFields) {
        form.SetText(field, "0");
    }
}

void TextGotFocus(CalculatorForm& form, Field field) {
    form.SetSelection(field, 0, kTypedLengthLimit);
}

}  // namespace ostrel
