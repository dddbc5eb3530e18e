#include "app/answer_box.h"

#include "app/key_codes.h"
#include "app/sunken_border.h"

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

// Puts back the text the filter left and types the difference: a backspace for
// each character taken away, then each character put in, pressed and released.
void AnswerBox::retype(const QString& changed)
{
    const QString before = accepted_;
    qsizetype head = 0;
    while (head < before.size() && head < changed.size() && before[head] == changed[head])
        ++head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < changed.size() - head &&
           before[before.size() - 1 - tail] == changed[changed.size() - 1 - tail])
        ++tail;
    ownEdit([&] {
        setText(before);
        setCursorPosition(int(before.size() - tail));
    });
    for (qsizetype i = head; i < before.size() - tail; ++i)
        typeAndRelease(8);
    for (const QChar character : changed.mid(head, changed.size() - head - tail))
        typeAndRelease(static_cast<std::int16_t>(character.unicode()));
}

// Caret movement, selection and deletion keep their usual meaning; nothing
// else reaches the line edit's own handling, which would paste or undo.
bool AnswerBox::isEditingKey(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    case Qt::Key_Delete:
        return !event.modifiers().testFlag(Qt::ShiftModifier);
    default:
        return false;
    }
}

void AnswerBox::type(std::int16_t keyChar)
{
    const std::int16_t code = events_.keyPress(number_, keyChar);
    ownEdit([&] {
        if (code == 8)
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
    if (const auto code = characterCode(*event))
        type(*code);
    else if (isEditingKey(*event))
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
