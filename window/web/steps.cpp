#include "window/web/steps.h"

#include <utility>

#include "window/event_binding.h"
#include "window/layout.h"

namespace ostrel::web {

std::vector<Step> Click(std::string_view control, std::array<std::string, 4> texts,
                        std::string separator) {
    const layout::Control* found = layout::Find(control);
    if (found == nullptr) {
        return {};
    }
    StepRecorder form(std::move(texts), std::move(separator));
    binding::RunClick(found->click, form, Opener());
    return form.Steps();
}

std::vector<Step> GotFocus(std::string_view field, std::array<std::string, 4> texts,
                           std::string separator) {
    const layout::Control* found = layout::Find(field);
    if (found == nullptr || found->kind != layout::Kind::TextBox) {
        return {};
    }
    StepRecorder form(std::move(texts), std::move(separator));
    binding::RunGotFocus(form, found->field);
    return form.Steps();
}

}  // namespace ostrel::web
