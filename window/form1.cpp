#include "window/form1.h"

#include <QCursor>
#include <QEnterEvent>
#include <QFrame>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <exception>

#include "core/errors.h"
#include "form/commands.h"
#include "link/shell.h"
#include "window/field_edit.h"

namespace ostrel {
namespace {

// Places and sizes are kept in twips, the unit of the window's design; at 96
// dots per inch a pixel is 15 twips. Qt scales these device-independent
// pixels to the screen, so the window keeps its proportions at any scaling.
QRect Twips(int left, int top, int width, int height) {
    constexpr int kTwipsPerPixel = 15;
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}

const QColor kLegendBackground(255, 255, 128);
const QColor kLinkBlue(0, 0, 255);
const QColor kStripColour(96, 120, 32);
const QColor kShapeBorder(0, 0, 0);

// "MS Sans Serif" 8.25 points, or the nearest sans-serif of about that size.
// Built once: every control shares the same few fonts.
const QFont& ClassicFont(bool bold = false, bool underline = false) {
    static const auto fonts = [] {
        std::array<QFont, 4> made;
        for (std::size_t i = 0; i < made.size(); ++i) {
            QFont& font = made[i];
            font.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial",
                              "DejaVu Sans"});
            font.setStyleHint(QFont::SansSerif);
            font.setPointSizeF(8.25);
            font.setBold((i & 1) != 0);
            font.setUnderline((i & 2) != 0);
        }
        return made;
    }();
    return fonts[(bold ? 1u : 0u) | (underline ? 2u : 0u)];
}

// A label that reports a click: a press and a release of the left button on
// it. Its own pointer is decoded when the mouse first comes over it, not at
// start-up.
class ClickLabel final : public QLabel {
  public:
    using QLabel::QLabel;
    std::function<void()> onClick;

  protected:
    void enterEvent(QEnterEvent* event) override {
        if (!testAttribute(Qt::WA_SetCursor)) {
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
    static QCursor HandCursor() {
        const QPixmap hand(":/ostrel/hand.cur");
        return hand.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(hand, 5, 0);
    }

    bool pressed_ = false;
};

// A rectangle shape: a one-pixel border, no fill, transparent to the mouse.
class Shape final : public QWidget {
  public:
    explicit Shape(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(kShapeBorder);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

// The part of the background bitmap that the fixed-size window shows: it is
// drawn unscaled from the top-left corner and cut off at the edges, so the
// rest need not stay in memory.
QImage VisibleBackground() {
    QImageReader reader(":/ostrel/background.bmp");
    reader.setClipRect(QRect(0, 0, 366, 263));
    return reader.read();
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

Form1::Form1(const QLocale& locale, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      locale_(locale),
      background_(VisibleBackground()),
      opener_(Shell::OpenHomePage) {
    setObjectName("Form1");
    setWindowTitle("Ostrel v1.3");
    setWindowIcon(QIcon(":/ostrel/ostrel.png"));
    setFont(ClassicFont());
    setFixedSize(366, 263);  // 5490 x 3945 twips
    BuildControls();
    Edit(Field::Text1)->setFocus(Qt::OtherFocusReason);
}

Form1::~Form1() = default;

void Form1::BuildControls() {
    // Created bottom to top: each new child is drawn over the ones before it.
    auto* strip = new QFrame(this);
    strip->setObjectName("Picture1");
    strip->setGeometry(Twips(-240, 0, 5895, 135));
    strip->setAutoFillBackground(true);
    strip->setPalette(QPalette(kStripColour));

    auto* footShape = new Shape(this);
    footShape->setObjectName("Shape2");
    footShape->setGeometry(Twips(240, 3480, 4095, 255));

    const char* const names[] = {"FV", "GEV", "FVb", "EP"};
    const char* const meanings[] = {
        " FV = Nuvarande färdighetsvärde",
        " GEV = Grundegenskapsvärde",
        " FVb = Blivande färdighetsvärde",
        " EP = Kostnad i antal erfarenhetspoäng",
    };
    for (int i = 0; i < 4; ++i) {
        const int left = 240 + 1080 * i;
        auto* label = new QLabel(names[i], this);
        label->setObjectName(QString("Label%1").arg(i + 1));
        label->setGeometry(Twips(left, 360, 855, 255));
        label->setFont(ClassicFont(true));
        label->setAlignment(Qt::AlignCenter);

        auto* field = new FieldEdit(this);
        field->setObjectName(QString("Text%1").arg(i + 1));
        field->setGeometry(Twips(left, 720, 855, 375));
        field->SetProgramText("0");
        field->setAccessibleName(names[i]);
        field->setAccessibleDescription(QString(meanings[i]).trimmed());
        label->setBuddy(field);
        const auto which = static_cast<Field>(i);
        fields_[static_cast<std::size_t>(i)] = field;
        connect(field, &FieldEdit::gotFocus, this,
                [this, which] { RunHandler([this, which] { TextGotFocus(*this, which); }); });
    }

    struct ButtonInfo {
        const char* name;
        const char* caption;
        QRect place;
        void (*handler)(CalculatorForm&);
    };
    const ButtonInfo buttons[] = {
        {"Command3", "Rensa", Twips(4560, 720, 735, 375), Command3Click},
        {"Command1", "Beräkna EP", Twips(240, 1200, 1095, 375), Command1Click},
        {"Command2", "Beräkna FVb", Twips(1440, 1200, 1095, 375), Command2Click},
    };
    // Tab order: the fields left to right, then Rensa, Beräkna EP, Beräkna FVb.
    for (std::size_t i = 1; i < fields_.size(); ++i) {
        setTabOrder(fields_[i - 1], fields_[i]);
    }
    QWidget* previous = Edit(Field::Text4);
    for (const ButtonInfo& info : buttons) {
        auto* button = new QPushButton(info.caption, this);
        button->setObjectName(info.name);
        button->setGeometry(info.place);
        button->setFocusPolicy(Qt::StrongFocus);
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setAccessibleName(info.caption);
        connect(button, &QPushButton::clicked, this, [this, handler = info.handler] {
            RunHandler([this, handler] { handler(*this); });
        });
        setTabOrder(previous, button);
        previous = button;
    }

    // The legend, bottom row first; each row overlaps the next by a pixel.
    for (int i = 3; i >= 0; --i) {
        auto* line = new QLabel(meanings[i], this);
        line->setObjectName(QString("Label%1").arg(6 + i));
        line->setGeometry(Twips(240, 2280 + 240 * i, 2895, 255));
    }
    auto* heading = new QLabel(" Nyckel ", this);
    heading->setObjectName("Label5");
    heading->setGeometry(Twips(240, 2040, 2895, 255));
    heading->setFont(ClassicFont(false, true));
    for (int i = 5; i <= 9; ++i) {
        auto* label = findChild<QLabel*>(QString("Label%1").arg(i));
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, kLegendBackground);
        label->setPalette(palette);
    }
    auto* legendShape = new Shape(this);
    legendShape->setObjectName("Shape1");
    legendShape->setGeometry(Twips(240, 2040, 2895, 1215));

    auto* notice = new QLabel("Fritt att dela", this);
    notice->setObjectName("Label11");
    notice->setGeometry(Twips(240, 3480, 2415, 255));
    notice->setFont(ClassicFont(true));

    auto* link = new ClickLabel(QString::fromStdString(HomePageCaption()), this);
    link->setObjectName("Label10");
    link->setGeometry(Twips(2280, 3480, 2895, 255));
    link->setFont(ClassicFont(true, true));
    link->setAccessibleName(link->text());
    link->setAccessibleDescription(QString::fromStdString(HomePageAddress()));
    link->onClick = [this] { RunHandler([this] { Label10Click(opener_); }); };

    for (QLabel* label : {notice, static_cast<QLabel*>(link)}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, kLinkBlue);
        label->setPalette(palette);
    }
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
    const int size = static_cast<int>(edit->text().size());
    if (start < 0 || start > size) {
        return;
    }
    edit->setSelection(start, std::min(length, size - start));
}

void Form1::ShowMessage(std::string_view text) {
    ShowBox(FromUtf8(text));
}

std::string Form1::DecimalSeparator() const {
    return locale_.decimalPoint().toStdString();
}

void Form1::SetOpener(Opener opener) {
    opener_ = std::move(opener);
}

QString Form1::ErrorReport(const char* kind) {
    const QString name = kind;
    if (name == "OverflowError") {
        return "OverflowError: Ett tal blev för stort eller för litet. Ostrel räknar med "
               "heltal från -2147483648 till 2147483647. Beräkningen avbröts.";
    }
    if (name == "ConversionError") {
        return "ConversionError: En ruta innehåller något som inte är ett tal. "
               "Beräkningen avbröts.";
    }
    if (name == "RealError") {
        return "RealError: En mellanräkning med decimaltal gav ett ogiltigt eller alltför "
               "stort resultat. Beräkningen avbröts.";
    }
    return "Ett oväntat fel inträffade. Beräkningen avbröts.";
}

void Form1::RunHandler(const std::function<void()>& handler) {
    // Every handler runs here, so no exception reaches Qt's event loop.
    QString report;
    try {
        handler();
        return;
    } catch (const NumberError& error) {
        report = ErrorReport(error.Kind());
    } catch (...) {
        report = ErrorReport("");
    }
    try {
        ShowBox(report);
    } catch (...) {
        // Nothing more can be told; the window goes on.
    }
}

void Form1::ShowBox(const QString& text) {
    QMessageBox box(this);
    box.setWindowTitle("Ostrel");
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setIcon(QIcon());  // a plain OK, as the message has no icon
    box.exec();
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, background_);
}

}  // namespace ostrel
