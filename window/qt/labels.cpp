// SPDX-License-Identifier: MIT
#include "window/qt/labels.h"

#include <QEnterEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include "window/layout.h"
#include "window/qt/resources.h"

namespace ostrel {

void LegendLabel::paintEvent(QPaintEvent* event) {
    const qreal wide = QFontMetricsF(font(), this).horizontalAdvance(text());
    const double scale = layout::LegendScale(width(), wide);
    if (scale >= 1) {
        QLabel::paintEvent(event);
        return;
    }
    QFont narrower = font();
    narrower.setStretch(static_cast<int>(100 * scale));
    QPainter painter(this);
    painter.setFont(narrower);
    style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(),
                          isEnabled(), text(), foregroundRole());
}

void ClickLabel::enterEvent(QEnterEvent* event) {
    if (handPointer && !testAttribute(Qt::WA_SetCursor)) {
        setCursor(HandCursor());
    }
    QLabel::enterEvent(event);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click && onClick) {
        onClick();
    }
}

QCursor ClickLabel::HandCursor() const {
    const bool sharp = devicePixelRatioF() > 1.0;
    QPixmap hand = QPixmap::fromImage(sharp ? ReadPicture(":/ostrel/hand@2x.png", "png")
                                            : ReadPicture(":/ostrel/hand.cur", "cur"));
    hand.setDevicePixelRatio(sharp ? 2.0 : 1.0);
    return hand.isNull() ? QCursor(Qt::PointingHandCursor)
                         : QCursor(hand, layout::kPointerHotX, layout::kPointerHotY);
}

}  // namespace ostrel
