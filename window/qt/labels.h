// SPDX-License-Identifier: MIT
#pragma once

#include <QCursor>
#include <QLabel>
#include <functional>

// The Qt window's two kinds of label beyond QLabel.
namespace ostrel {

// A line of the legend. Where the machine's stand-in for the design's font is
// wider than the design's own, its letters are drawn a little narrower
// (layout::LegendScale), so that the caption stays clear of the box's border
// at any scale. Measured when painting, with the fonts the screen uses, so
// the window shows without waiting for them.
class LegendLabel final : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A label that reports a click: a press and a release of the left button on
// it. Its own pointer is decoded when the mouse first comes over it, not at
// start-up.
class ClickLabel final : public QLabel {
  public:
    using QLabel::QLabel;
    std::function<void()> onClick;
    bool handPointer = false;

  protected:
    void enterEvent(QEnterEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // The monochrome pointing hand, its hot spot at the tip of the index
    // finger; the platform's hand where the picture cannot be read.
    [[nodiscard]] QCursor HandCursor() const;

    bool pressed_ = false;
};

}  // namespace ostrel
