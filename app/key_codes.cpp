#include "key_codes.h"

#include <QKeyEvent>

using vendaro::Key;

namespace {

Key keyOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Backspace:
        return Key::Backspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Enter;
    case Qt::Key_Escape:
        return Key::Escape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return Key::Tab;
    case Qt::Key_Delete:
        return Key::Delete;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Home:
        return Key::Home;
    case Qt::Key_End:
        return Key::End;
    default:
        return Key::Other;
    }
}

} // namespace

vendaro::KeyStroke keyStroke(const QKeyEvent& event)
{
    const int key = event.key();
    const bool letter = key >= Qt::Key_A && key <= Qt::Key_Z;
    return {keyOf(key), event.modifiers().testFlag(Qt::ControlModifier), event.modifiers().testFlag(Qt::ShiftModifier),
            letter ? static_cast<char>('A' + (key - Qt::Key_A)) : '\0', event.text().toStdU16String()};
}
