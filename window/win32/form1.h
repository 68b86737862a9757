// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "form/calculator_form.h"
#include "link/home_page.h"
#include "window/layout.h"
#include "window/win32/drawing.h"

namespace ostrel::win32 {

class Background;

// The calculator's only window on Windows: a native Win32 window built from
// the design table, implementing CalculatorForm on its four EDIT controls and
// MessageBoxW. Labels are STATIC controls that draw only their text; the
// parent draws the background picture, the legend's fill, the strip and the
// two rectangles under and over them, in the table's order, and in a
// high-contrast theme the theme's colours instead (drawing.h). Positions,
// sizes and fonts follow the window's DPI; the window lays itself out again
// when it changes, and takes its colours again when the system's change.
//
// Clicks and the fields' focus go to the shared event binding
// (window/event_binding.h), which runs the handlers and reports a number error
// that leaves one in a message box naming its kind; every message also runs
// inside one try/catch in the window procedure, so no exception crosses it.
class Form1 final : public CalculatorForm {
  public:
    struct Options {
        // The decimal separator the conversions use; none: the user's locale's.
        std::optional<std::string> decimalSeparator = std::nullopt;
        // Ends the thread's message loop when the window is closed.
        bool quitOnClose = false;
        // Whether a high-contrast theme is on; none: as the system says
        // (Wine cannot turn one on, so its tests say).
        std::optional<bool> highContrast = std::nullopt;
    };

    // Creates the window, hidden, with the focus to go to Text1 when shown.
    Form1(HINSTANCE instance, Options options);
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    [[nodiscard]] HWND Handle() const { return window_; }
    // The control of that name; nullptr for one the window draws itself
    // (Picture1, Shape1, Shape2).
    [[nodiscard]] HWND Control(std::string_view name) const;
    // The window's resolution in dots per inch.
    [[nodiscard]] int Dpi() const { return dpi_; }

    void Show(int showCommand);

    // Replaces what the link label calls to open the home page (tests).
    void SetOpener(Opener opener);

    // Gives a message of the thread's loop to the dialog manager (Tab,
    // Shift+Tab, Space on buttons); true when it took it.
    bool PreTranslate(MSG& message);

    // CalculatorForm
    [[nodiscard]] std::string GetText(Field field) const override;
    void SetText(Field field, std::string_view text) override;
    void SetSelection(Field field, int start, int length) override;
    void ShowMessage(std::string_view text) override;
    [[nodiscard]] std::string DecimalSeparator() const override;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void CreateControl(const layout::Control& control);
    void LayOut(int dpi);
    // Takes the colours for the system's as they are now and redraws.
    void Restyle();
    // Draws the background, fills and rectangles; under the fields and
    // buttons too when `underControls`.
    void Paint(HDC dc, bool underControls);
    LRESULT ControlColour(HDC dc, HWND control);
    // The table's control that `control` is; none for another window.
    [[nodiscard]] const layout::Control* DesignOf(HWND control) const;
    [[nodiscard]] RECT Pixels(const layout::Rect& twips) const;

    HINSTANCE instance_;
    Options options_;
    HWND window_ = nullptr;
    int dpi_ = layout::kDesignDpi;
    std::array<HWND, layout::kControls.size()> controls_{};
    std::array<HWND, 4> fields_{};
    std::array<HFONT, 4> fonts_{};  // regular, bold, underlined, bold and underlined
    HWND lastFocus_ = nullptr;      // the child that had the focus when the window was deactivated
    bool restoringFocus_ = false;
    HCURSOR hand_ = nullptr;
    HBRUSH hollow_ = nullptr;
    std::unique_ptr<Background> background_;
    Colours colours_;
    Opener opener_;
};

}  // namespace ostrel::win32
