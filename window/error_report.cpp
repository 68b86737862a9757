// SPDX-License-Identifier: MIT
#include "window/error_report.h"

namespace ostrel {

std::string_view ErrorReport(std::optional<ErrorKind> kind) {
    if (!kind) {
        return "Ett oväntat fel inträffade. Beräkningen avbröts.";
    }
    switch (*kind) {
        case ErrorKind::Overflow:
            return "OverflowError: Ett tal blev för stort eller för litet. Ostrel räknar med "
                   "heltal från -2147483648 till 2147483647. Beräkningen avbröts.";
        case ErrorKind::Conversion:
            return "ConversionError: En ruta innehåller något som inte är ett tal. "
                   "Beräkningen avbröts.";
        case ErrorKind::Real:
            return "RealError: En mellanräkning med decimaltal gav ett ogiltigt eller alltför "
                   "stort resultat. Beräkningen avbröts.";
    }
    return "Ett oväntat fel inträffade. Beräkningen avbröts.";
}

}  // namespace ostrel
