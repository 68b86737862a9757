// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "form/calculator_form.h"
#include "link/home_page.h"

// The calculator window's design as data: its size, title and pictures, and
// every control with its place, caption, font and colours. Each window (Qt on
// Linux, Win32 on Windows, the web page, whose generator prints it from here)
// builds itself by walking this table; nothing here knows a toolkit.
namespace ostrel::layout {

// Places and sizes are in twips, 1/1440 inch. Left and Top are measured from
// the top-left corner of the client area.
inline constexpr int kTwipsPerInch = 1440;
// The design's resolution: its pictures are drawn for it, and a pixel of the
// design is 15 twips. The desktop windows scale from it to the screen's; in
// the web window a CSS pixel is a pixel of the design.
inline constexpr int kDesignDpi = 96;
inline constexpr int kTwipsPerDesignPixel = kTwipsPerInch / kDesignDpi;
static_assert(kTwipsPerDesignPixel * kDesignDpi == kTwipsPerInch);

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kLegendYellow{255, 255, 128};
inline constexpr Rgb kLinkBlue{0, 0, 255};
inline constexpr Rgb kStripFill{96, 120, 32};
inline constexpr Rgb kShapeBorder{0, 0, 0};

enum class Kind {
    Label,       // a one-line caption
    TextBox,     // a one-line field of the form
    Button,      // a push button
    PictureBox,  // a plain filled strip, no picture, no text
    Rectangle,   // a one-pixel border, no fill, transparent to the mouse
};

// Which Click handler a control is bound to.
enum class Click { None, Command1, Command2, Command3, Label10 };

// The two groups of labels the window has beside the fields' captions, each
// with the rectangle it stands in.
enum class Group {
    None,
    Legend,  // the legend's heading and the lines that spell out the abbreviations
    Foot,    // the foot row: the notice and the link
};

struct Control {
    std::string_view name;
    Kind kind;
    std::string_view caption;  // UTF-8, leading and trailing blanks kept
    Rect place;
    int tab = -1;  // place in the tab sequence; -1 for the shapes
    bool bold = false;
    bool underline = false;
    bool centred = false;
    std::optional<Rgb> text = std::nullopt;    // text colour; none: the system's window-text colour
    std::optional<Rgb> fill = std::nullopt;    // background; none: transparent over the window
    std::optional<Rgb> border = std::nullopt;  // rectangles only
    Field field = Field::Text1;                // text boxes only
    std::optional<Field> captionOf = std::nullopt;  // a caption label: the field it names
    Group group = Group::None;                      // the group a label or rectangle is of
    Click click = Click::None;
    bool handPointer = false;  // shows the hand pointer while the mouse is over it
};

// The window itself.
// The version is the project's (CMakeLists.txt), which the build defines.
inline constexpr std::string_view kTitle = "Ostrel v" OSTREL_VERSION;
inline constexpr int kClientWidth = 5490;
inline constexpr int kClientHeight = 3945;
// The default font of every control.
inline constexpr std::string_view kFontFamily = "MS Sans Serif";
inline constexpr double kFontPoints = 8.25;
// Where the design's font is missing, the nearest sans-serif of about its
// size, in this order: Windows' own successor, then the common ones of Linux
// and other systems (the windows that name fonts add their generic
// sans-serif after these).
inline constexpr std::array<std::string_view, 4> kFontFallbacks = {
    "Microsoft Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans"};
// The title of every message box.
inline constexpr std::string_view kBoxTitle = "Ostrel";
// The background bitmap, in pixels, drawn unscaled from the top-left corner
// and cut off at the client area's edges.
inline constexpr int kBackgroundWidth = 480;
inline constexpr int kBackgroundHeight = 360;
// The icon and the hand pointer, in pixels; the pointer's hot spot is the tip
// of the index finger.
inline constexpr int kIconSize = 32;
inline constexpr int kPointerSize = 32;
inline constexpr int kPointerHotX = 5;
inline constexpr int kPointerHotY = 0;

// The notice line of the foot row.
inline constexpr std::string_view kNotice = "Fritt att dela";

// A legend line that the machine's font draws wider than the design's is
// drawn narrower, so that its text stays kLegendClearance pixels inside the
// label's width (a pixel clear of the box's border, which lies on the
// label's outermost pixels), but never narrower than kLegendLeastScale of
// its natural width.
inline constexpr int kLegendClearance = 3;
inline constexpr double kLegendLeastScale = 0.9;

// Every control, in the order the windows create them: bottom to top, so a
// later control is drawn over an earlier one where they overlap. The controls
// a user can act on (the fields, the buttons and the link) stand in their tab
// order, which layout.cpp asserts; a window that takes its tab order from the
// order it creates controls in (Win32's dialog manager, the web page) gets it
// from here. One control to a row or two, as in a table.
// clang-format off
inline constexpr std::array<Control, 21> kControls = {{
    {.name = "Picture1", .kind = Kind::PictureBox, .caption = "", .place = {-240, 0, 5895, 135},
     .tab = 16, .fill = kStripFill},
    {.name = "Shape2", .kind = Kind::Rectangle, .caption = "", .place = {240, 3480, 4095, 255},
     .border = kShapeBorder, .group = Group::Foot},
    {.name = "Label1", .kind = Kind::Label, .caption = "FV", .place = {240, 360, 855, 255},
     .tab = 0, .bold = true, .centred = true, .captionOf = Field::Text1},
    {.name = FieldName(Field::Text1), .kind = Kind::TextBox, .caption = "0",
     .place = {240, 720, 855, 375}, .tab = 4, .field = Field::Text1},
    {.name = "Label2", .kind = Kind::Label, .caption = "GEV", .place = {1320, 360, 855, 255},
     .tab = 1, .bold = true, .centred = true, .captionOf = Field::Text2},
    {.name = FieldName(Field::Text2), .kind = Kind::TextBox, .caption = "0",
     .place = {1320, 720, 855, 375}, .tab = 5, .field = Field::Text2},
    {.name = "Label3", .kind = Kind::Label, .caption = "FVb", .place = {2400, 360, 855, 255},
     .tab = 2, .bold = true, .centred = true, .captionOf = Field::Text3},
    {.name = FieldName(Field::Text3), .kind = Kind::TextBox, .caption = "0",
     .place = {2400, 720, 855, 375}, .tab = 6, .field = Field::Text3},
    {.name = "Label4", .kind = Kind::Label, .caption = "EP", .place = {3480, 360, 855, 255},
     .tab = 3, .bold = true, .centred = true, .captionOf = Field::Text4},
    {.name = FieldName(Field::Text4), .kind = Kind::TextBox, .caption = "0",
     .place = {3480, 720, 855, 375}, .tab = 7, .field = Field::Text4},
    {.name = "Command3", .kind = Kind::Button, .caption = "Rensa", .place = {4560, 720, 735, 375},
     .tab = 8, .click = Click::Command3},
    {.name = "Command1", .kind = Kind::Button, .caption = "Beräkna EP",
     .place = {240, 1200, 1095, 375}, .tab = 9, .click = Click::Command1},
    {.name = "Command2", .kind = Kind::Button, .caption = "Beräkna FVb",
     .place = {1440, 1200, 1095, 375}, .tab = 10, .click = Click::Command2},
    // The legend: bottom row first, each row overlapping the next by a pixel.
    {.name = "Label9", .kind = Kind::Label, .caption = " EP = Kostnad i antal erfarenhetspoäng",
     .place = {240, 3000, 2895, 255}, .tab = 11, .fill = kLegendYellow, .group = Group::Legend},
    {.name = "Label8", .kind = Kind::Label, .caption = " FVb = Blivande färdighetsvärde",
     .place = {240, 2760, 2895, 255}, .tab = 12, .fill = kLegendYellow, .group = Group::Legend},
    {.name = "Label7", .kind = Kind::Label, .caption = " GEV = Grundegenskapsvärde",
     .place = {240, 2520, 2895, 255}, .tab = 13, .fill = kLegendYellow, .group = Group::Legend},
    {.name = "Label6", .kind = Kind::Label, .caption = " FV = Nuvarande färdighetsvärde",
     .place = {240, 2280, 2895, 255}, .tab = 14, .fill = kLegendYellow, .group = Group::Legend},
    {.name = "Label5", .kind = Kind::Label, .caption = " Nyckel ", .place = {240, 2040, 2895, 255},
     .tab = 15, .underline = true, .fill = kLegendYellow, .group = Group::Legend},
    {.name = "Shape1", .kind = Kind::Rectangle, .caption = "", .place = {240, 2040, 2895, 1215},
     .border = kShapeBorder, .group = Group::Legend},
    // The foot row: the link lies over the notice where they overlap.
    {.name = "Label11", .kind = Kind::Label, .caption = kNotice, .place = {240, 3480, 2415, 255},
     .tab = 17, .bold = true, .text = kLinkBlue, .group = Group::Foot},
    {.name = "Label10", .kind = Kind::Label, .caption = kHomePageCaption,
     .place = {2280, 3480, 2895, 255}, .tab = 18, .bold = true, .underline = true,
     .text = kLinkBlue, .group = Group::Foot, .click = Click::Label10, .handPointer = true},
}};
// clang-format on

// Twips to pixels at the given dots per inch, rounded to the nearest pixel
// (half away from zero, as Windows' MulDiv does).
[[nodiscard]] constexpr int ToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    const long long half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                        : -((-scaled + half) / kTwipsPerInch));
}
[[nodiscard]] constexpr Rect ToPixels(const Rect& twips, int dpi) {
    return {ToPixels(twips.left, dpi), ToPixels(twips.top, dpi), ToPixels(twips.width, dpi),
            ToPixels(twips.height, dpi)};
}

// The control of that name; none for a name the table lacks.
[[nodiscard]] const Control* Find(std::string_view name);

// The controls that take the focus (text boxes and buttons), in tab order.
[[nodiscard]] std::span<const Control* const> FocusChain();

// The caption label of the text box of `field`.
[[nodiscard]] const Control& CaptionOf(Field field);

// The line of the legend that spells out an abbreviation ("FV"), without its
// surrounding blanks: "FV = Nuvarande färdighetsvärde". Empty when none does.
[[nodiscard]] std::string_view Explanation(std::string_view abbreviation);

// The font size of every control, in pixels at the given dots per inch.
[[nodiscard]] double FontPixels(int dpi);

// The horizontal scale of a legend line whose text is `wide` pixels wide in a
// label `width` pixels wide: 1 where it fits, else narrower as above.
[[nodiscard]] double LegendScale(double width, double wide);

}  // namespace ostrel::layout
