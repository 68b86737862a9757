// SPDX-License-Identifier: MIT
#include "window/web/steps.h"

#include <string_view>
#include <utility>

#include "window/event_binding.h"
#include "window/layout.h"

namespace ostrel::web {
namespace {

// The length of UTF-8 `text` in UTF-16 code units: one for each character,
// two for one beyond U+FFFF (a four-byte sequence).
int Utf16Length(std::string_view text) {
    int length = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xc0) != 0x80) {
            length += byte >= 0xf0 ? 2 : 1;
        }
    }
    return length;
}

// `steps`, run on `texts`, with each selection cut to its field's text then.
std::vector<Step> SelectionsCut(std::array<std::string, 4> texts, std::vector<Step> steps) {
    std::vector<Step> cut;
    cut.reserve(steps.size());
    for (Step& step : steps) {
        std::string& text = texts[static_cast<std::size_t>(step.field)];
        if (step.kind == Step::Kind::Write) {
            text = step.text;
        } else if (step.kind == Step::Kind::Select) {
            const auto range = binding::SelectionIn(Utf16Length(text), step.start, step.length);
            if (!range) {
                continue;
            }
            step.start = range->start;
            step.length = range->end - range->start;
        }
        cut.push_back(std::move(step));
    }
    return cut;
}

}  // namespace

std::vector<Step> Click(std::string_view control, std::array<std::string, 4> texts,
                        std::string separator) {
    const layout::Control* found = layout::Find(control);
    if (found == nullptr) {
        return {};
    }
    StepRecorder form(texts, std::move(separator));
    binding::RunClick(found->click, form, Opener());
    return SelectionsCut(std::move(texts), form.Steps());
}

std::vector<Step> GotFocus(std::string_view field, std::array<std::string, 4> texts,
                           std::string separator) {
    const layout::Control* found = layout::Find(field);
    if (found == nullptr || found->kind != layout::Kind::TextBox) {
        return {};
    }
    StepRecorder form(texts, std::move(separator));
    binding::RunGotFocus(form, found->field);
    return SelectionsCut(std::move(texts), form.Steps());
}

namespace {

// A JSON string of UTF-8 `text`.
std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    constexpr std::string_view kHex = "0123456789abcdef";
                    out += "\\u00";
                    out += kHex[static_cast<unsigned char>(c) >> 4];
                    out += kHex[static_cast<unsigned char>(c) & 0xf];
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

}  // namespace

std::string ToJson(const std::vector<Step>& steps) {
    std::string json = "[";
    for (const Step& step : steps) {
        if (json.size() > 1) {
            json += ",";
        }
        json += "{\"op\":" + Quoted(StepKindName(step.kind));
        switch (step.kind) {
            case Step::Kind::Write:
                json += ",\"field\":" + Quoted(FieldName(step.field)) +
                        ",\"text\":" + Quoted(step.text);
                break;
            case Step::Kind::Select:
                json += ",\"field\":" + Quoted(FieldName(step.field)) +
                        ",\"start\":" + std::to_string(step.start) +
                        ",\"length\":" + std::to_string(step.length);
                break;
            case Step::Kind::Message:
                json += ",\"text\":" + Quoted(step.text);
                break;
        }
        json += "}";
    }
    return json + "]";
}

}  // namespace ostrel::web
