#include "window/web/form1.h"

#include <exception>
#include <functional>
#include <optional>
#include <utility>

#include "core/errors.h"
#include "form/commands.h"
#include "window/error_report.h"
#include "window/layout.h"

namespace ostrel::web {
namespace {

std::size_t Index(Field field) {
    return static_cast<std::size_t>(field);
}

// Runs one handler on a form over `texts`; a number error, or anything
// else, ends it and becomes the report's message box, as on the desktop.
std::vector<Step> Run(std::array<std::string, 4> texts, std::string separator,
                      const std::function<void(CalculatorForm&)>& handler) {
    Form1 form(std::move(texts), std::move(separator));
    std::optional<std::string_view> report;
    try {
        handler(form);
    } catch (const NumberError& error) {
        report = ErrorReport(error.Kind());
    } catch (...) {
        report = ErrorReport(std::nullopt);
    }
    std::vector<Step> steps = form.Steps();
    if (report) {
        steps.push_back({.kind = Step::Kind::Message, .text = std::string(*report)});
    }
    return steps;
}

}  // namespace

Form1::Form1(std::array<std::string, 4> texts, std::string separator)
    : texts_(std::move(texts)), separator_(std::move(separator)) {}

std::string Form1::GetText(Field field) const {
    return texts_[Index(field)];
}

void Form1::SetText(Field field, std::string_view text) {
    texts_[Index(field)] = std::string(text);
    steps_.push_back({.kind = Step::Kind::Write, .field = field, .text = std::string(text)});
}

void Form1::SetSelection(Field field, int start, int length) {
    steps_.push_back(
        {.kind = Step::Kind::Select, .field = field, .start = start, .length = length});
}

void Form1::ShowMessage(std::string_view text) {
    steps_.push_back({.kind = Step::Kind::Message, .text = std::string(text)});
}

std::string Form1::DecimalSeparator() const {
    return separator_;
}

std::vector<Step> Click(std::string_view control, std::array<std::string, 4> texts,
                        std::string separator) {
    const layout::Control* found = layout::Find(control);
    if (found == nullptr) {
        return {};
    }
    switch (found->click) {
        case layout::Click::Command1:
            return Run(std::move(texts), std::move(separator), Command1Click);
        case layout::Click::Command2:
            return Run(std::move(texts), std::move(separator), Command2Click);
        case layout::Click::Command3:
            return Run(std::move(texts), std::move(separator), Command3Click);
        case layout::Click::Label10:  // the page's own link
        case layout::Click::None:
            return {};
    }
    return {};
}

std::vector<Step> GotFocus(std::string_view field, std::array<std::string, 4> texts,
                           std::string separator) {
    const layout::Control* found = layout::Find(field);
    if (found == nullptr || found->kind != layout::Kind::TextBox) {
        return {};
    }
    const Field which = found->field;
    return Run(std::move(texts), std::move(separator),
               [which](CalculatorForm& form) { TextGotFocus(form, which); });
}

}  // namespace ostrel::web
