#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

// One input event of the storm, or a change of the clipboard the storm makes
// before trying to paste.
struct StormStep {
    enum class Kind {
        KeyPress,
        KeyRelease,
        MousePress,
        MouseRelease,
        MouseDoubleClick,
        MouseMove,
        Wheel,
        ContextMenu,
        Commit,
        Preedit,
        Clipboard
    };

    Kind kind = Kind::KeyPress;
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    QString text;
    bool autoRepeat = false;
    QPoint point; // in the window
    Qt::MouseButton button = Qt::NoButton;

    static QString escaped(const QString& text)
    {
        QString out;
        for (const QChar c : text)
            out += c.unicode() >= 32 && c.unicode() < 127
                       ? QString(c)
                       : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        return out;
    }

    QString describe() const
    {
        static const char* const names[] = {"key press",    "key release", "mouse press", "mouse release",
                                            "double click", "mouse move",  "wheel",       "context menu",
                                            "commit",       "preedit",     "clipboard"};
        return QStringLiteral("%1 key=0x%2 mods=0x%3 text=\"%4\"%5 at (%6,%7) button=%8")
            .arg(QLatin1String(names[static_cast<int>(kind)]))
            .arg(key, 0, 16)
            .arg(modifiers.toInt(), 0, 16)
            .arg(escaped(text))
            .arg(autoRepeat ? QStringLiteral(" auto-repeat") : QString())
            .arg(point.x())
            .arg(point.y())
            .arg(static_cast<int>(button));
    }
};
