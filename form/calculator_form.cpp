// SPDX-License-Identifier: MIT
#include "form/calculator_form.h"

namespace ostrel {

std::string_view FieldName(Field field) {
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

}  // namespace ostrel
