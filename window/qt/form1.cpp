#include "window/qt/form1.h"

#include <QCursor>
#include <QEnterEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPushButton>
#include <QResource>
#include <QStyle>
#include <cstdint>
#include <map>
#include <vector>

#include "link/shell.h"
#include "window/contrast.h"
#include "window/event_binding.h"
#include "window/layout.h"
#include "window/qt/field_edit.h"

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

// A picture of a known format; `clip`, if given, the part of it to read.
// Naming the format and turning off Qt's guessing keeps QImageReader from
// loading every image plug-in to ask whether it reads the format too: QtGui
// reads PNG and BMP itself, and only the ICO plug-in is loaded, for CUR.
QImage ReadPicture(const QString& path, const char* format, const QRect& clip = {}) {
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    if (clip.isValid()) {
        reader.setClipRect(clip);
    }
    return reader.read();
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

// A line of the legend. Where the machine's stand-in for the design's font is
// wider than the design's own, its letters are drawn a little narrower
// (layout::LegendScale), so that the caption stays clear of the box's border
// at any scale. Measured when painting, with the fonts the screen uses, so
// the window shows without waiting for them.
class LegendLabel final : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override {
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
    void enterEvent(QEnterEvent* event) override {
        if (handPointer && !testAttribute(Qt::WA_SetCursor)) {
            setCursor(HandCursor());
        }
        QLabel::enterEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override {
        pressed_ = event->button() == Qt::LeftButton;
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        const bool click = pressed_ && event->button() == Qt::LeftButton &&
                           rect().contains(event->position().toPoint());
        pressed_ = false;
        event->accept();
        if (click && onClick) {
            onClick();
        }
    }

  private:
    // The monochrome pointing hand, its hot spot at the tip of the index
    // finger; the platform's hand where the picture cannot be read.
    QCursor HandCursor() const {
        const bool sharp = devicePixelRatioF() > 1.0;
        QPixmap hand = QPixmap::fromImage(sharp ? ReadPicture(":/ostrel/hand@2x.png", "png")
                                                : ReadPicture(":/ostrel/hand.cur", "cur"));
        hand.setDevicePixelRatio(sharp ? 2.0 : 1.0);
        return hand.isNull() ? QCursor(Qt::PointingHandCursor)
                             : QCursor(hand, layout::kPointerHotX, layout::kPointerHotY);
    }

    bool pressed_ = false;
};

// The program's icon, sharp at one and at two screen pixels to a pixel.
QIcon ProgramIcon() {
    QIcon icon;
    for (const char* path : {":/ostrel/icons/32x32.png", ":/ostrel/icons/64x64.png"}) {
        icon.addPixmap(QPixmap::fromImage(ReadPicture(path, "png")));
    }
    return icon;
}

// Little-endian whole numbers in a file's header.
std::uint32_t Le32(const uchar* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}
std::uint16_t Le16(const uchar* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

// The part `area` of the background bitmap, read straight from the program's
// resources, where it is stored uncompressed: an uncompressed 24-bit
// bottom-up bitmap needs no decoder, only its rows copied in reverse order.
// A null image if the resource is not such a bitmap.
QImage BitmapPart(const QString& path, const QRect& area) {
    const QResource resource(path);
    const uchar* data = resource.data();
    const qint64 size = resource.size();
    constexpr qint64 kHeaderSize = 54;  // file header and BITMAPINFOHEADER
    if (data == nullptr || resource.compressionAlgorithm() != QResource::NoCompression ||
        size < kHeaderSize || data[0] != 'B' || data[1] != 'M') {
        return {};
    }
    const std::uint32_t offset = Le32(data + 10);
    const auto width = static_cast<std::int32_t>(Le32(data + 18));
    const auto height = static_cast<std::int32_t>(Le32(data + 22));
    if (Le32(data + 14) < 40 || Le16(data + 26) != 1 || Le16(data + 28) != 24 ||
        Le32(data + 30) != 0 || width <= 0 || height <= 0) {
        return {};
    }
    const qint64 stride = (qint64{width} * 3 + 3) / 4 * 4;
    if (offset < kHeaderSize || offset + stride * height > size) {
        return {};
    }
    const QRect part = area.intersected(QRect(0, 0, width, height));
    QImage image(part.size(), QImage::Format_RGB32);
    for (int y = 0; y < part.height(); ++y) {
        const qint64 row = height - 1 - part.top() - y;  // the bottom row is stored first
        const uchar* bgr = data + offset + stride * row + qint64{3} * part.left();
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < part.width(); ++x, bgr += 3) {
            line[x] = qRgb(bgr[2], bgr[1], bgr[0]);
        }
    }
    return image;
}

// The part of the background picture that the fixed-size window shows: it is
// drawn unscaled from the top-left corner and cut off at the edges, so the
// rest need not stay in memory. `scale` 2 reads the picture drawn at twice
// the size, for screens with more than one pixel to a window pixel.
QImage VisibleBackground(int scale) {
    const QRect area(0, 0, scale * layout::ToPixels(layout::kClientWidth, layout::kDesignDpi),
                     scale * layout::ToPixels(layout::kClientHeight, layout::kDesignDpi));
    QImage image = scale == 1 ? BitmapPart(":/ostrel/background.bmp", area) : QImage();
    if (image.isNull()) {
        image = ReadPicture(scale == 1 ? ":/ostrel/background.bmp" : ":/ostrel/background@2x.png",
                            scale == 1 ? "bmp" : "png", area);
    }
    image.setDevicePixelRatio(scale);
    return image;
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
    QLabel* caption = nullptr;  // the label made last, which names the field after it
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
                } else if (control.fill) {
                    label = new LegendLabel(FromUtf8(control.caption), this);
                } else {
                    label = new QLabel(FromUtf8(control.caption), this);
                }
                if (control.centred) {
                    label->setAlignment(Qt::AlignCenter);
                }
                // The colour of its text is chosen against what lies behind it.
                captions_.push_back({label, &control,
                                     control.fill ? std::vector<layout::Rgb>{*control.fill}
                                                  : PixelsIn(background_, Pixels(control.place))});
                caption = label;
                widget = label;
                break;
            }
            case layout::Kind::TextBox: {
                auto* field = new FieldEdit(this);
                field->SetProgramText(FromUtf8(control.caption));
                if (caption != nullptr) {
                    caption->setBuddy(field);
                    field->setAccessibleName(caption->text());
                    field->setAccessibleDescription(
                        FromUtf8(layout::Explanation(caption->text().toStdString())));
                }
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
        const layout::Rgb colour =
            contrast::LegibleText(caption.control->text.value_or(system), caption.behind);
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
