// SPDX-License-Identifier: MIT
#include "form/step_recorder.h"

#include <utility>

namespace ostrel {
namespace {

std::size_t Index(Field field) {
    return static_cast<std::size_t>(field);
}

}  // namespace

std::string_view StepKindName(Step::Kind kind) {
    switch (kind) {
        case Step::Kind::Write:
            return "write";
        case Step::Kind::Select:
            return "select";
        case Step::Kind::Message:
            return "message";
    }
    return "";
}

StepRecorder::StepRecorder(std::array<std::string, 4> texts, std::string separator)
    : texts_(std::move(texts)), separator_(std::move(separator)) {}

std::string StepRecorder::GetText(Field field) const {
    return texts_[Index(field)];
}

void StepRecorder::SetText(Field field, std::string_view text) {
    texts_[Index(field)] = std::string(text);
    steps_.push_back({.kind = Step::Kind::Write, .field = field, .text = std::string(text)});
}

void StepRecorder::SetSelection(Field field, int start, int length) {
    steps_.push_back(
        {.kind = Step::Kind::Select, .field = field, .text = {}, .start = start, .length = length});
}

void StepRecorder::ShowMessage(std::string_view text) {
    steps_.push_back({.kind = Step::Kind::Message, .text = std::string(text)});
}

std::string StepRecorder::DecimalSeparator() const {
    return separator_;
}

}  // namespace ostrel
