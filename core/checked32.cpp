// SPDX-License-Identifier: MIT
#include "core/checked32.h"

#include <string>

namespace ostrel {

void Checked32::ThrowOverflow(std::int32_t a, char op, std::int32_t b) {
    throw OverflowError(std::to_string(a) + ' ' + op + ' ' + std::to_string(b) +
                        " is outside the 32-bit range");
}

}  // namespace ostrel
