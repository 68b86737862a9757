// SPDX-License-Identifier: MIT
#include "window/error_report.h"

#include <string_view>

namespace ostrel {
namespace {

constexpr std::string_view kStopped = "Beräkningen avbröts.";

// What an error of the kind means, in a sentence or two.
std::string_view Meaning(ErrorKind kind) {
    switch (kind) {
        case ErrorKind::Overflow:
            return "Ett tal blev för stort eller för litet. Ostrel räknar med heltal från "
                   "-2147483648 till 2147483647.";
        case ErrorKind::Conversion:
            return "En ruta innehåller något som inte är ett tal.";
        case ErrorKind::Real:
            return "En mellanräkning med decimaltal gav ett ogiltigt eller alltför stort "
                   "resultat.";
    }
    return "";
}

}  // namespace

std::string ErrorReport(std::optional<ErrorKind> kind) {
    if (!kind) {
        return "Ett oväntat fel inträffade. " + std::string(kStopped);
    }
    return std::string(ErrorKindName(*kind)) + ": " + std::string(Meaning(*kind)) + " " +
           std::string(kStopped);
}

}  // namespace ostrel
