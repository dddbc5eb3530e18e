#include "form1.h"

#include "accessibility.h"
#include "app_font.h"
#include "form_layout.h"
#include "sunken_border.h"
#include "title.h"

#include <QCoreApplication>
#include <QPainter>
#include <QScreen>
#include <QStyle>

using namespace vendaro;

namespace {

QColor toQColor(Rgb colour) { return QColor::fromRgb(static_cast<QRgb>(colour)); }
QRect toQRect(const layout::Rect& r) { return {r.left, r.top, r.width, r.height}; }
QString toQString(const std::string& text) { return QString::fromStdString(text); }

} // namespace

Form1::Form1(RandomSource& random, const Clock& clock, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      handlers_(*this, random, clock)
{
    ensureTahoma();
    setObjectName(QStringLiteral("Form1"));
    // The boxes' face, which every control inherits unless it has a size of its own.
    setFont(tahomaBold(layout::kBoxFontPixels));
    setWindowTitle(QString::fromUtf8(layout::kTitle));
    setWindowIcon(pictures::programIcon());
    setFixedSize(layout::kClientWidth, layout::kClientHeight);
    createPictures();
    createLabels();
    createBoxes();
    applyStackingAndTabOrder();
    applyPointers();
    accessibility::describeBoard(*this);
    Form_Load();
}

void Form1::createBoxes()
{
    QPalette palette = this->palette();
    setSunkenBorderColours(palette);
    palette.setColor(QPalette::Base, toQColor(layout::kBoxBackground));
    palette.setColor(QPalette::Text, toQColor(layout::kBoxText));
    for (int number = 1; number <= kCellCount; ++number) {
        auto* box = new AnswerBox(number, *this, this);
        box->setObjectName(QStringLiteral("Text%1").arg(number));
        box->setGeometry(toQRect(layout::box(number).rect));
        box->setPalette(palette);
        boxes_[static_cast<std::size_t>(number - 1)] = box;
    }
}

void Form1::createLabels()
{
    for (const layout::LabelLook& look : layout::labels()) {
        auto* label = new BoardLabel(look.sunkenBorder, this);
        label->setObjectName(QStringLiteral("Label%1").arg(look.number));
        label->setGeometry(toQRect(look.rect));
        label->setText(toQString(look.caption));
        label->setAlignment(Qt::AlignTop |
                            (look.alignment == layout::Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft));
        if (look.fontPixels > 0)
            label->setFont(tahomaBold(look.fontPixels));
        QPalette palette = label->palette();
        setSunkenBorderColours(palette);
        palette.setColor(QPalette::WindowText, toQColor(look.textColour));
        if (look.background) {
            palette.setColor(QPalette::Window, toQColor(*look.background));
            label->setAutoFillBackground(true);
        }
        label->setPalette(palette);
        labels_[static_cast<std::size_t>(look.number - 1)] = label;
    }
    connect(&label(kNewExerciseLabel), &BoardLabel::clicked, this, &Form1::Label22_Click);
    connect(&label(kEndLabel), &BoardLabel::clicked, this, &Form1::Label23_Click);
}

void Form1::createPictures()
{
    for (const layout::PictureLook& look : layout::pictures()) {
        const auto index = static_cast<std::size_t>(look.number - 1);
        auto* picture = new PictureBox(layout::pictureOfImage(look.number), this);
        picture->setObjectName(QStringLiteral("Image%1").arg(look.number));
        picture->setGeometry(toQRect(look.rect));
        images_[index] = picture;
    }
}

void Form1::applyStackingAndTabOrder()
{
    for (const std::string& name : layout::stackingBackToFront())
        findChild<QWidget*>(toQString(name), Qt::FindDirectChildrenOnly)->raise();
    for (std::size_t i = 1; i < boxes_.size(); ++i)
        QWidget::setTabOrder(boxes_[i - 1], boxes_[i]);
}

void Form1::applyPointers()
{
    const qreal ratio = devicePixelRatioF();
    const QCursor writingHand = pictures::writingHandCursor(ratio);
    for (int number = 1; number <= kCellCount; ++number)
        box(number).setCursor(layout::box(number).pointer == layout::Pointer::WritingHand ? writingHand
                                                                                          : QCursor(Qt::IBeamCursor));
    const QCursor pointingHand = pictures::pointingHandCursor(ratio);
    for (const layout::LabelLook& look : layout::labels())
        if (look.pointer == layout::Pointer::PointingHand)
            label(look.number).setCursor(pointingHand);
}

void Form1::showCentred()
{
    if (const QScreen* screen = this->screen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    box(1).setFocus(Qt::OtherFocusReason);
    show();
    // Without a window manager nobody else gives the new window the keyboard.
    activateWindow();
}

AnswerBox& Form1::box(int number) const { return *boxes_.at(static_cast<std::size_t>(number - 1)); }
BoardLabel& Form1::label(int number) const { return *labels_.at(static_cast<std::size_t>(number - 1)); }

std::string Form1::text(int box) const { return this->box(box).text().toStdString(); }

void Form1::setText(int box, const std::string& text) { this->box(box).replaceText(QString::fromStdString(text)); }

void Form1::setTextColour(int box, Rgb colour)
{
    AnswerBox& target = this->box(box);
    QPalette palette = target.palette();
    palette.setColor(QPalette::Text, toQColor(colour));
    target.setPalette(palette);
}

void Form1::setCaption(int label, const std::string& caption)
{
    this->label(label).setText(QString::fromStdString(caption));
    accessibility::nameBoxesHeadedBy(*this, label);
}

void Form1::setLabel22Enabled(bool enabled) { label(kNewExerciseLabel).setEnabled(enabled); }

void Form1::setImageVisible(int image, bool visible)
{
    images_.at(static_cast<std::size_t>(image - 1))->setVisible(visible);
    if (visible)
        accessibility::faceShown(*this, image);
}

void Form1::endProgram() { QCoreApplication::exit(0); }

void Form1::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    pictures::draw(layout::Picture::Board, painter);
}

void Form1::Form_Load() { handlers_.Form_Load(); }

void Form1::Label22_Click() { handlers_.Label22_Click(); }

void Form1::Label23_Click() { handlers_.Label23_Click(); }

// Coming back to the window, or from a popup, is no new arrival in the box.
void Form1::gotFocus(int box, Qt::FocusReason reason)
{
    handlers_.GotFocus(box, reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason);
}

std::int16_t Form1::keyPress(int box, std::int16_t keyChar) { return handlers_.KeyPress(box, keyChar); }

void Form1::keyUp(int box) { handlers_.KeyUp(box); }
