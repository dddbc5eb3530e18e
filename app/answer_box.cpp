#include "answer_box.h"

#include "key_codes.h"
#include "retyping.h"
#include "sunken_border.h"

#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>

namespace {
constexpr int kBorder = 2;
}

AnswerBox::AnswerBox(int number, BoxEvents& events, QWidget* parent)
    : QLineEdit(parent), number_(number), events_(events)
{
    setFrame(false);
    setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setDragEnabled(false);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (editing_)
            accepted_ = text;
        else
            retype(text);
    });
}

template <typename Change>
void AnswerBox::ownEdit(Change change)
{
    const bool outer = editing_;
    editing_ = true;
    change();
    editing_ = outer;
}

void AnswerBox::replaceText(const QString& text)
{
    ownEdit([&] { setText(text); });
}

// Puts back the text the filter left and types the difference.
void AnswerBox::retype(const QString& changed)
{
    const vendaro::Retyping retyping = vendaro::retyping(accepted_.toStdU16String(), changed.toStdU16String());
    ownEdit([&] {
        setText(accepted_);
        setCursorPosition(int(retyping.caret));
    });
    for (const std::int16_t key : retyping.keys)
        typeAndRelease(key);
}

void AnswerBox::type(std::int16_t keyChar)
{
    const std::int16_t code = events_.keyPress(number_, keyChar);
    ownEdit([&] {
        if (code == vendaro::kBackspace)
            backspace();
        else if (code != 0)
            insert(QString(QChar(static_cast<char16_t>(code))));
    });
}

void AnswerBox::typeAndRelease(std::int16_t keyChar)
{
    type(keyChar);
    events_.keyUp(number_);
}

void AnswerBox::keyPressEvent(QKeyEvent* event)
{
    const vendaro::KeyStroke stroke = keyStroke(*event);
    if (const auto code = vendaro::characterCode(stroke))
        type(*code);
    else if (vendaro::isEditingKey(stroke))
        ownEdit([&] { QLineEdit::keyPressEvent(event); });
    event->accept();
}

// A key held down repeats its press but is judged once, at its real release.
void AnswerBox::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat())
        events_.keyUp(number_);
    event->accept();
}

// A half-typed answer reached by Tab goes on where it stopped, not replaced.
void AnswerBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
        deselect();
        end(false);
    }
    events_.gotFocus(number_, event->reason());
}

// Each committed character is typed as a key would be; preedit text is not shown.
void AnswerBox::inputMethodEvent(QInputMethodEvent* event)
{
    for (const QChar character : event->commitString())
        typeAndRelease(static_cast<std::int16_t>(character.unicode()));
    event->accept();
}

// The middle button would paste the X selection.
void AnswerBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton)
        return event->accept();
    QLineEdit::mousePressEvent(event);
}

void AnswerBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton)
        return event->accept();
    QLineEdit::mouseReleaseEvent(event);
}

void AnswerBox::dragEnterEvent(QDragEnterEvent* event) { event->ignore(); }

void AnswerBox::dropEvent(QDropEvent* event) { event->ignore(); }

void AnswerBox::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    drawSunkenBorder(painter, rect(), palette());
}
