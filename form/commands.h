// SPDX-License-Identifier: MIT
#pragma once

#include "form/calculator_form.h"

namespace ostrel {

// The event handlers of the calculator. Each is one straight procedure:
// checks, conversions, rule, writes. A number error (OverflowError,
// ConversionError, RealError) ends the handler where it is raised, with the
// messages and repairs made so far left as they are; the window reports it.

// Click of Command1, "Beräkna EP": the cost of raising FV (Text1) to FVb
// (Text3) for GEV (Text2), written into EP (Text4).
void Command1Click(CalculatorForm& form);

// Click of Command2, "Beräkna FVb": how far the EP budget (Text4) raises FV
// (Text1) for GEV (Text2); the skill value goes into FVb (Text3), the EP left
// into Text4. The FVb left from earlier use is spread-checked first.
void Command2Click(CalculatorForm& form);

// Click of Command3, "Rensa": every field back to "0".
void Command3Click(CalculatorForm& form);

// GotFocus of Text1 ... Text4: select the first eight characters, which is
// all of anything a user can type, so that typing replaces it.
void TextGotFocus(CalculatorForm& form, Field field);

}  // namespace ostrel
