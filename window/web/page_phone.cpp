// SPDX-License-Identifier: MIT
// The web window's phone arrangement, from the same design table: where the
// window at the design's geometry would be a postage stamp under a finger
// (page::kPhoneWhere), the same controls in the same order stand in a grid
// as wide as the screen, with targets of a finger's size and text to read at
// arm's length; no control is scaled, so every size is as rendered.
//
// Upright, the fields two to a row, their captions above them, then the
// buttons (an odd one first, alone on its row), the legend and the foot row;
// on a wider screen (a phone held sideways, a tablet) the four fields and
// the three buttons each on one row.
#include <algorithm>
#include <string>
#include <vector>

#include "window/layout.h"
#include "window/web/css_text.h"
#include "window/web/page.h"

namespace ostrel::web::page {
namespace {

using css::Px;
using css::Sel;

// Sizes in CSS pixels. A finger's target is at least 44 × 44 (Apple's
// guidelines, WCAG 2.5.5); text in a field or on a button at least 16, so
// that no phone zooms into a field that takes the focus.
constexpr int kColumns = 12;  // of the grid; a row's cells divide it
constexpr int kTarget = 48;
constexpr int kGap = 10;
constexpr int kSide = 16;  // the margin at the screen's edges
constexpr int kFieldText = 20;
constexpr int kButtonText = 17;
constexpr int kCaptionText = 16;
constexpr int kLegendText = 15;
constexpr int kLegendLine = 26;
constexpr int kFootText = 16;
constexpr int kMessageText = 17;
// From this width the fields and the buttons each take one row.
constexpr int kWideFrom = 560;

struct Parts {
    std::vector<const layout::Control*> fields;   // in tab order
    std::vector<const layout::Control*> buttons;  // in tab order
    std::vector<const layout::Control*> legend;   // the legend's labels, top to bottom
    std::vector<const layout::Control*> foot;     // the foot row's labels, left to right
    const layout::Control* legendBox = nullptr;
    const layout::Control* footBox = nullptr;
    const layout::Control* strip = nullptr;
};

// The parts of the window, by what the table says each control is for.
Parts Arranged() {
    Parts parts;
    for (const layout::Control* control : layout::FocusChain()) {
        (control->kind == layout::Kind::TextBox ? parts.fields : parts.buttons).push_back(control);
    }
    for (const layout::Control& control : layout::kControls) {
        const bool legend = control.group == layout::Group::Legend;
        if (control.kind == layout::Kind::PictureBox) {
            parts.strip = &control;
        } else if (control.group == layout::Group::None) {
            continue;
        } else if (control.kind == layout::Kind::Rectangle) {
            (legend ? parts.legendBox : parts.footBox) = &control;
        } else {
            (legend ? parts.legend : parts.foot).push_back(&control);
        }
    }
    const auto by = [](auto key) {
        return [key](const layout::Control* a, const layout::Control* b) {
            return key(a->place) < key(b->place);
        };
    };
    std::sort(parts.legend.begin(), parts.legend.end(), by([](auto r) { return r.top; }));
    std::sort(parts.foot.begin(), parts.foot.end(), by([](auto r) { return r.left; }));
    return parts;
}

// A control's cell of the grid, in which it is drawn over the background
// in order.
std::string Cell(std::string_view name, int row, int column, int span, int rows = 1) {
    return "  " + Sel(name) + " {\n    position: relative;\n    grid-row: " + std::to_string(row) +
           " / span " + std::to_string(rows) + ";\n    grid-column: " + std::to_string(column) +
           " / span " + std::to_string(span) + ";\n  }\n";
}

// Where every part stands: `fieldsPerRow` fields to a row, the buttons
// `buttonsPerRow` to a row after them.
std::string Placement(const Parts& parts, int fieldsPerRow, int buttonsPerRow) {
    std::string rules;
    int row = 1;
    if (parts.strip) {
        rules += Cell(parts.strip->name, row++, 1, kColumns);
    }
    const int fieldSpan = kColumns / fieldsPerRow;
    for (std::size_t i = 0; i < parts.fields.size(); ++i) {
        const int r = row + 2 * (static_cast<int>(i) / fieldsPerRow);
        const int column = 1 + static_cast<int>(i) % fieldsPerRow * fieldSpan;
        rules += Cell(layout::CaptionOf(parts.fields[i]->field).name, r, column, fieldSpan);
        rules += Cell(parts.fields[i]->name, r + 1, column, fieldSpan);
    }
    row += 2 * ((static_cast<int>(parts.fields.size()) + fieldsPerRow - 1) / fieldsPerRow);
    // An odd button out takes a row of its own, first, as the one beside the
    // fields does in the window.
    std::size_t next = 0;
    const int count = static_cast<int>(parts.buttons.size());
    if (count % buttonsPerRow != 0) {
        rules += Cell(parts.buttons[next++]->name, row++, 1, kColumns);
    }
    const int buttonSpan = kColumns / buttonsPerRow;
    for (int i = 0; next < parts.buttons.size(); ++i, ++next) {
        rules += Cell(parts.buttons[next]->name, row + i / buttonsPerRow,
                      1 + i % buttonsPerRow * buttonSpan, buttonSpan);
    }
    row += (count - count % buttonsPerRow) / buttonsPerRow;
    const int legendRow = row;
    for (const layout::Control* line : parts.legend) {
        rules += Cell(line->name, row++, 1, kColumns);
    }
    if (parts.legendBox) {
        rules += Cell(parts.legendBox->name, legendRow, 1, kColumns,
                      static_cast<int>(parts.legend.size()));
    }
    const int footRow = row;
    for (const layout::Control* label : parts.foot) {
        rules += Cell(label->name, row++, 1, kColumns);
    }
    if (parts.footBox) {
        rules +=
            Cell(parts.footBox->name, footRow, 1, kColumns, static_cast<int>(parts.foot.size()));
    }
    return rules;
}

}  // namespace

std::string PhoneCss() {
    const Parts parts = Arranged();
    const std::string window = Sel(kWindowId);
    const std::string side = "max(" + Px(kSide) + ", env(safe-area-inset-left))";
    std::string rules = "  " + window +
                        " {\n    max-width: 720px;\n    min-height: 100vh;\n"
                        "    margin: 0 auto;\n    box-sizing: border-box;\n"
                        "    display: grid;\n    grid-template-columns: repeat(" +
                        std::to_string(kColumns) +
                        ", minmax(0, 1fr));\n    align-content: start;\n    gap: " + Px(kGap) +
                        ";\n    padding: 0 max(" + Px(kSide) +
                        ", env(safe-area-inset-right)) max(" + Px(kSide) +
                        ", env(safe-area-inset-bottom)) " + side + ";\n  }\n";
    rules += "  " + window + " > * {\n    min-width: 0;\n  }\n";
    if (parts.strip) {
        rules += "  " + Sel(parts.strip->name) + " {\n    height: 9px;\n    margin: 0 calc(-1 * " +
                 side + ");\n  }\n";
    }
    for (const layout::Control* field : parts.fields) {
        rules += "  " + Sel(field->name) + " {\n    height: " + Px(kTarget) +
                 ";\n    font-size: " + Px(kFieldText) + ";\n    padding: 0 10px;\n  }\n";
        rules += "  " + Sel(layout::CaptionOf(field->field).name) +
                 " {\n    align-self: end;\n    font-size: " + Px(kCaptionText) +
                 ";\n    line-height: 1.5;\n    margin-top: 6px;\n  }\n";
    }
    for (const layout::Control* button : parts.buttons) {
        rules += "  " + Sel(button->name) + " {\n    min-height: " + Px(kTarget) +
                 ";\n    font-size: " + Px(kButtonText) + ";\n    padding: 0 12px;\n  }\n";
    }
    for (const layout::Control* line : parts.legend) {
        rules += "  " + Sel(line->name) + " {\n    font-size: " + Px(kLegendText) +
                 ";\n    line-height: " + Px(kLegendLine) + ";\n    padding: 0 8px;\n  }\n";
    }
    if (!parts.legend.empty()) {
        // The legend's rows touch, as in the window, inside its box.
        rules += "  " + Sel(parts.legend.front()->name) + " {\n    margin-top: 14px;\n  }\n";
        for (std::size_t i = 1; i < parts.legend.size(); ++i) {
            rules +=
                "  " + Sel(parts.legend[i]->name) + " {\n    margin-top: -" + Px(kGap) + ";\n  }\n";
        }
        if (parts.legendBox) {
            rules += "  " + Sel(parts.legendBox->name) + " {\n    margin-top: 14px;\n  }\n";
        }
    }
    for (std::size_t i = 0; i < parts.foot.size(); ++i) {
        const layout::Control& label = *parts.foot[i];
        rules += "  " + Sel(label.name) + " {\n    font-size: " + Px(kFootText) +
                 ";\n    min-height: " + Px(label.click == layout::Click::None ? 32 : kTarget) +
                 ";\n    display: flex;\n    align-items: center;\n    padding: 0 8px;\n" +
                 (i > 0 ? "    margin-top: -" + Px(kGap) + ";\n" : "    margin-top: 6px;\n") +
                 "  }\n";
    }
    if (parts.footBox) {
        rules += "  " + Sel(parts.footBox->name) + " {\n    margin-top: 6px;\n  }\n";
    }
    rules += Placement(parts, 2, 2);
    // The message box over the middle of the screen, its text and OK as large
    // as the window's.
    rules += "  " + Sel(kMessageId) + " {\n    top: 50%;\n    font-size: " + Px(kMessageText) +
             ";\n    max-width: calc(100vw - 32px);\n  }\n";
    rules += "  " + Sel(kMessageOkId) + " {\n    min-height: " + Px(kTarget) +
             ";\n    min-width: 96px;\n  }\n";
    // Wide enough for the fields on one row, and the buttons on the next.
    rules += "  @media (min-width: " + std::to_string(kWideFrom) + "px) {\n" +
             Placement(parts, static_cast<int>(parts.fields.size()),
                       static_cast<int>(parts.buttons.size())) +
             "  }\n";
    return rules;
}

}  // namespace ostrel::web::page
