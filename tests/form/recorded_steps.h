// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "form/step_recorder.h"

namespace ostrel::test {

// The steps a handler recorded, spelled "Text1 = 0", "select Text1 0 8",
// "message: TEXT".
inline std::vector<std::string> Events(const StepRecorder& form) {
    std::vector<std::string> events;
    for (const Step& step : form.Steps()) {
        switch (step.kind) {
            case Step::Kind::Write:
                events.push_back(std::string(FieldName(step.field)) + " = " + step.text);
                break;
            case Step::Kind::Select:
                events.push_back("select " + std::string(FieldName(step.field)) + ' ' +
                                 std::to_string(step.start) + ' ' + std::to_string(step.length));
                break;
            case Step::Kind::Message:
                events.push_back("message: " + step.text);
                break;
        }
    }
    return events;
}

// The texts of the recorded messages, in order.
inline std::vector<std::string> Messages(const StepRecorder& form) {
    std::vector<std::string> messages;
    for (const Step& step : form.Steps()) {
        if (step.kind == Step::Kind::Message) {
            messages.push_back(step.text);
        }
    }
    return messages;
}

}  // namespace ostrel::test
