// SPDX-License-Identifier: MIT
#include "window/qt/form1.h"

#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPaintEngine>
#include <QPainter>
#include <QPushButton>
#include <cstdint>
#include <map>
#include <vector>

#include "link/shell.h"
#include "window/contrast.h"
#include "window/event_binding.h"
#include "window/layout.h"
#include "window/qt/field_edit.h"
#include "window/qt/labels.h"
#include "window/qt/resources.h"

namespace ostrel {
namespace {

// The window is laid out in pixels of the design; Qt scales these
// device-independent pixels to the screen, so the window keeps its
// proportions at any scaling.
QRect Pixels(const layout::Rect& twips) {
    const layout::Rect r = layout::ToPixels(twips, layout::kDesignDpi);
    return {r.left, r.top, r.width, r.height};
}

QColor ToColor(layout::Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

layout::Rgb ToRgb(const QColor& colour) {
    const QRgb rgb = colour.rgb();
    return {static_cast<std::uint8_t>(qRed(rgb)), static_cast<std::uint8_t>(qGreen(rgb)),
            static_cast<std::uint8_t>(qBlue(rgb))};
}

// The pixels of `image` inside `area`.
std::vector<layout::Rgb> PixelsIn(const QImage& image, const QRect& area) {
    std::vector<layout::Rgb> pixels;
    const QRect inside = area.intersected(image.rect());
    pixels.reserve(static_cast<std::size_t>(inside.width()) *
                   static_cast<std::size_t>(inside.height()));
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            pixels.push_back(ToRgb(image.pixelColor(x, y)));
        }
    }
    return pixels;
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text);
}

// "MS Sans Serif" 8.25 points, or the nearest sans-serif of about that size.
// Built once: every control shares the same few fonts.
const QFont& ClassicFont(bool bold = false, bool underline = false) {
    static const auto fonts = [] {
        QStringList families{FromUtf8(layout::kFontFamily)};
        for (const std::string_view fallback : layout::kFontFallbacks) {
            families.append(FromUtf8(fallback));
        }
        std::array<QFont, 4> made;
        for (std::size_t i = 0; i < made.size(); ++i) {
            QFont& font = made[i];
            font.setFamilies(families);
            font.setStyleHint(QFont::SansSerif);
            font.setPointSizeF(layout::kFontPoints);
            font.setBold((i & 1) != 0);
            font.setUnderline((i & 2) != 0);
        }
        return made;
    }();
    return fonts[(bold ? 1u : 0u) | (underline ? 2u : 0u)];
}

}  // namespace

Form1::Form1(const QLocale& locale, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      locale_(locale),
      background_(VisibleBackground(1)),
      opener_(Shell::OpenHomePage) {
    setObjectName("Form1");
    setWindowTitle(FromUtf8(layout::kTitle));
    setWindowIcon(ProgramIcon());
    setFont(ClassicFont());
    setFixedSize(layout::ToPixels(layout::kClientWidth, layout::kDesignDpi),
                 layout::ToPixels(layout::kClientHeight, layout::kDesignDpi));
    BuildControls();
    ApplyTextColours();
    Edit(Field::Text1)->setFocus(Qt::OtherFocusReason);
}

Form1::~Form1() = default;

void Form1::BuildControls() {
    std::map<std::string_view, QWidget*> made;
    std::map<std::string_view, QLabel*> labels;
    for (const layout::Control& control : layout::kControls) {
        QWidget* widget = nullptr;
        switch (control.kind) {
            case layout::Kind::Label: {
                QLabel* label = nullptr;
                if (control.click != layout::Click::None) {
                    auto* link = new ClickLabel(FromUtf8(control.caption), this);
                    link->onClick = [this, click = control.click] {
                        binding::RunClick(click, *this, opener_);
                    };
                    link->handPointer = control.handPointer;
                    link->setAccessibleName(link->text());
                    link->setAccessibleDescription(QString::fromStdString(HomePageAddress()));
                    label = link;
                } else if (control.group == layout::Group::Legend) {
                    label = new LegendLabel(FromUtf8(control.caption), this);
                } else {
                    label = new QLabel(FromUtf8(control.caption), this);
                }
                if (control.centred) {
                    label->setAlignment(Qt::AlignCenter);
                }
                // The colour of its text is chosen against what lies behind it.
                captions_.push_back({label, &control,
                                     control.fill ? std::vector<layout::Rgb>{}
                                                  : PixelsIn(background_, Pixels(control.place))});
                labels.emplace(control.name, label);
                widget = label;
                break;
            }
            case layout::Kind::TextBox: {
                auto* field = new FieldEdit(this);
                field->SetProgramText(FromUtf8(control.caption));
                const Field which = control.field;
                fields_[static_cast<std::size_t>(which)] = field;
                connect(field, &FieldEdit::gotFocus, this,
                        [this, which] { binding::RunGotFocus(*this, which); });
                widget = field;
                break;
            }
            case layout::Kind::Button: {
                auto* button = new QPushButton(FromUtf8(control.caption), this);
                button->setFocusPolicy(Qt::StrongFocus);
                button->setAutoDefault(false);
                button->setDefault(false);
                button->setAccessibleName(button->text());
                connect(button, &QPushButton::clicked, this, [this, click = control.click] {
                    binding::RunClick(click, *this, opener_);
                });
                widget = button;
                break;
            }
            case layout::Kind::PictureBox:
                widget = new QFrame(this);
                break;
            case layout::Kind::Rectangle: {
                auto* shape = new QFrame(this);
                shape->setFrameStyle(QFrame::Box | QFrame::Plain);
                shape->setLineWidth(1);
                shape->setAttribute(Qt::WA_TransparentForMouseEvents);
                widget = shape;
                break;
            }
        }
        widget->setObjectName(FromUtf8(control.name));
        widget->setGeometry(Pixels(control.place));
        if (control.kind != layout::Kind::TextBox && control.kind != layout::Kind::Button) {
            widget->setFont(ClassicFont(control.bold, control.underline));
            QPalette palette = widget->palette();
            if (control.border) {
                palette.setColor(QPalette::WindowText, ToColor(*control.border));
            }
            if (control.fill) {
                palette.setColor(QPalette::Window, ToColor(*control.fill));
                widget->setAutoFillBackground(true);
            }
            widget->setPalette(palette);
        }
        made.emplace(control.name, widget);
    }

    // Each field is named by its caption and described by the legend's line
    // for the caption's abbreviation.
    for (const Field field : kAllFields) {
        const layout::Control& caption = layout::CaptionOf(field);
        QLabel* label = labels.at(caption.name);
        label->setBuddy(Edit(field));
        Edit(field)->setAccessibleName(label->text());
        Edit(field)->setAccessibleDescription(FromUtf8(layout::Explanation(caption.caption)));
    }

    QWidget* previous = nullptr;
    for (const layout::Control* control : layout::FocusChain()) {
        QWidget* next = made.at(control->name);
        if (previous != nullptr) {
            setTabOrder(previous, next);
        }
        previous = next;
    }
}

void Form1::ApplyTextColours() {
    // The system's window-text colour, or the table's own, where it can be
    // read against the fixed background; black or white where it cannot
    // (a dark colour scheme's light text on the light picture and legend).
    const layout::Rgb system = ToRgb(palette().color(QPalette::WindowText));
    for (const Caption& caption : captions_) {
        const layout::Rgb colour = contrast::LabelText(*caption.control, system, caption.picture);
        QPalette palette = caption.label->palette();
        palette.setColor(QPalette::WindowText, ToColor(colour));
        caption.label->setPalette(palette);
    }
}

void Form1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::ApplicationPaletteChange) {
        ApplyTextColours();
    }
    QWidget::changeEvent(event);
}

FieldEdit* Form1::Edit(Field field) const {
    return fields_[static_cast<std::size_t>(field)];
}

std::string Form1::GetText(Field field) const {
    return Edit(field)->text().toStdString();
}

void Form1::SetText(Field field, std::string_view text) {
    Edit(field)->SetProgramText(FromUtf8(text));
}

void Form1::SetSelection(Field field, int start, int length) {
    FieldEdit* edit = Edit(field);
    if (const auto range =
            binding::SelectionIn(static_cast<int>(edit->text().size()), start, length)) {
        edit->setSelection(range->start, range->end - range->start);
    }
}

void Form1::ShowMessage(std::string_view text) {
    QMessageBox box(this);
    box.setWindowTitle(FromUtf8(layout::kBoxTitle));
    box.setTextFormat(Qt::PlainText);
    box.setText(FromUtf8(text));
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setIcon(QIcon());  // a plain OK, as the message has no icon
    box.exec();
}

std::string Form1::DecimalSeparator() const {
    return locale_.decimalPoint().toStdString();
}

void Form1::SetOpener(Opener opener) {
    opener_ = std::move(opener);
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // What the painter really draws on: the backing store, or an image the
    // window is rendered into.
    if (painter.paintEngine()->paintDevice()->devicePixelRatioF() > 1.0) {
        if (sharpBackground_.isNull()) {
            sharpBackground_ = VisibleBackground(2);
        }
        painter.drawImage(QPointF(0, 0), sharpBackground_);
    } else {
        painter.drawImage(0, 0, background_);
    }
}

}  // namespace ostrel
