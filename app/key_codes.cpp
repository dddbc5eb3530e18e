#include "app/key_codes.h"

#include <QKeyEvent>

std::optional<std::int16_t> characterCode(const QKeyEvent& event)
{
    const int key = event.key();
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }
    if (event.modifiers().testFlag(Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<std::int16_t>(key - Qt::Key_A + 1);
    const QString text = event.text();
    if (text.isEmpty() || text.front().unicode() < 32 || text.front().unicode() == 127)
        return std::nullopt;
    // Codes from 0x8000 up wrap to negative numbers, which the filter discards.
    return static_cast<std::int16_t>(text.front().unicode());
}
