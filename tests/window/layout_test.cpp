// SPDX-License-Identifier: MIT
// The window's design table: the relations the design states between its
// numbers (the table is their only copy, so a typo would otherwise pass the
// window tests, which read it), the conversion of twips to pixels, the font
// size and the legend's narrowing that every window uses.
#include "window/layout.h"
#include "window/contrast.h"

#include <gtest/gtest.h>

#include <string>

namespace ostrel::layout {
namespace {

const Control& Named(std::string_view name) {
    const Control* control = Find(name);
    if (control == nullptr) {
        ADD_FAILURE() << "no control " << name;
        static const Control none{};
        return none;
    }
    return *control;
}

TEST(Layout, RelationsTheDesignStates) {
    // Each caption names the field of its number and sits above it, at the
    // same left edge and width.
    for (int i = 1; i <= 4; ++i) {
        const Control& label = Named("Label" + std::to_string(i));
        const Control& field = Named("Text" + std::to_string(i));
        EXPECT_EQ(&CaptionOf(field.field), &label) << i;
        EXPECT_EQ(label.place.left, field.place.left) << i;
        EXPECT_EQ(label.place.width, field.place.width) << i;
        EXPECT_LT(label.place.top + label.place.height, field.place.top) << i;
    }
    // The legend rows start 240 apart, overlap by 15 and together cover Shape1.
    const Control& shape = Named("Shape1");
    EXPECT_EQ(shape.group, Group::Legend);
    for (int i = 5; i <= 9; ++i) {
        EXPECT_EQ(Named("Label" + std::to_string(i)).group, Group::Legend) << i;
        const Rect row = Named("Label" + std::to_string(i)).place;
        EXPECT_EQ(row.top, shape.place.top + 240 * (i - 5)) << i;
        EXPECT_EQ(row.height, 255) << i;
        EXPECT_EQ(row.left, shape.place.left) << i;
        EXPECT_EQ(row.width, shape.place.width) << i;
    }
    EXPECT_EQ(Named("Label9").place.top + 255, shape.place.top + shape.place.height);
    // The notice's right edge lies 375 twips right of the link's left edge,
    // on Shape2's row.
    for (const char* name : {"Label10", "Label11", "Shape2"}) {
        EXPECT_EQ(Named(name).group, Group::Foot) << name;
    }
    const Rect notice = Named("Label11").place;
    EXPECT_EQ(notice.left + notice.width, Named("Label10").place.left + 375);
    // The strip spans the whole width of the client area.
    const Rect strip = Named("Picture1").place;
    EXPECT_LE(strip.left, 0);
    EXPECT_GE(strip.left + strip.width, kClientWidth);
}

TEST(Layout, TwipsToPixelsRoundsLikeMulDiv) {
    struct Row {
        int twips, dpi, pixels;
    };
    const Row rows[] = {
        {1500, 96, 100},  {-240, 96, -16},    {846, 120, 71},  // 70.5, half away from zero
        {845, 120, 70},                                        // 70.42
        {1105, 144, 111}, {-1105, 144, -111}, {3000, 192, 400}, {0, 192, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ToPixels(row.twips, row.dpi), row.pixels) << row.twips << " at " << row.dpi;
    }
}

// 8.25 points at the screen's resolution, which the Win32 window and the
// page size their font by.
TEST(Layout, FontPixelsAtADpi) {
    EXPECT_DOUBLE_EQ(FontPixels(96), 11.0);
    EXPECT_DOUBLE_EQ(FontPixels(144), 16.5);
}

// A legend line is narrowed only past the clearance, and never below the
// least scale.
TEST(Layout, LegendScaleKeepsTheClearance) {
    struct Row {
        double width, wide, scale;
    };
    const Row rows[] = {
        {193, 150, 1},    {193, 190, 1},           {193, 190.5, 190 / 190.5},
        {193, 200, 0.95}, {193, 211, 190 / 211.0}, {193, 212, 0.9},
    };
    for (const Row& row : rows) {
        EXPECT_DOUBLE_EQ(LegendScale(row.width, row.wide), row.scale) << row.wide;
    }
}

// WCAG's own figures, and the choice of a text colour that can be read.
TEST(Contrast, RatiosAndTheLegibleChoice) {
    EXPECT_NEAR(contrast::Ratio({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
    EXPECT_NEAR(contrast::Ratio(kLinkBlue, {255, 255, 255}), 8.59, 0.01);
    EXPECT_NEAR(contrast::Ratio({118, 118, 118}, {255, 255, 255}), 4.54, 0.01);
    // Over a fine black-and-white texture the eye sees its mean light.
    const Rgb checks[] = {{0, 0, 0}, {255, 255, 255}};
    EXPECT_NEAR(contrast::RatioOver({0, 0, 0}, checks), 11.0, 1e-9);  // (0.5 + 0.05) / 0.05

    struct Row {
        Rgb wanted, behind, chosen;
    };
    const Row rows[] = {
        {{20, 20, 90}, kLegendYellow, {20, 20, 90}},       // a light scheme's text stays
        {{239, 240, 241}, kLegendYellow, {0, 0, 0}},       // a dark scheme's does not
        {{239, 240, 241}, {35, 38, 41}, {239, 240, 241}},  // light on dark stays
        {{90, 90, 90}, {40, 40, 40}, {255, 255, 255}},     // white reads better there
    };
    for (const Row& row : rows) {
        const Rgb behind[] = {row.behind};
        EXPECT_EQ(contrast::LegibleText(row.wanted, behind), row.chosen);
    }
}

}  // namespace
}  // namespace ostrel::layout
