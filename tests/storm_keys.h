#pragma once

#include <QString>
#include <Qt>

#include <array>
#include <random>

// A key with what it types, as the keyboard would report it.
struct StormKey {
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

// Draws keys of every kind: digits on the main block and the keypad, editing
// and control keys, letters, text from other scripts, lone modifiers,
// navigation, focus keys and the paste and undo shortcuts.
class StormKeys {
public:
    static StormKey digit(int d, bool keypad)
    {
        return {Qt::Key_0 + d, keypad ? Qt::KeypadModifier : Qt::NoModifier, QString(QChar('0' + d))};
    }

    static StormKey tab() { return {Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t")}; }

    static StormKey paste(bool shiftInsert)
    {
        return shiftInsert ? StormKey{Qt::Key_Insert, Qt::ShiftModifier, {}} : control(Qt::Key_V);
    }

    template <typename Random>
    static StormKey any(Random& random)
    {
        const int kind = std::uniform_int_distribution<int>(0, 99)(random);
        StormKey key = kind < 30   ? digit(pick(random, 10), false)
                       : kind < 38 ? keypad(random)
                       : kind < 50 ? editing(random)
                       : kind < 60 ? letter(random)
                       : kind < 66 ? control(Qt::Key_A + pick(random, 26))
                       : kind < 72 ? foreign(random)
                       : kind < 80 ? modifier(random)
                       : kind < 90 ? navigation(random)
                       : kind < 95 ? focusKey(random)
                                   : other(random);
        if (pick(random, 10) == 0)
            key.modifiers |= std::array{Qt::AltModifier, Qt::MetaModifier, Qt::ControlModifier}[pick(random, 3)];
        return key;
    }

private:
    template <typename Random>
    static int pick(Random& random, int count)
    {
        return std::uniform_int_distribution<int>(0, count - 1)(random);
    }

    static StormKey control(int letter)
    {
        return {letter, Qt::ControlModifier, QString(QChar(letter - Qt::Key_A + 1))};
    }

    template <typename Random>
    static StormKey keypad(Random& random)
    {
        static const std::array<StormKey, 7> others{{{Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r")},
                                                     {Qt::Key_Plus, Qt::KeypadModifier, QStringLiteral("+")},
                                                     {Qt::Key_Minus, Qt::KeypadModifier, QStringLiteral("-")},
                                                     {Qt::Key_Asterisk, Qt::KeypadModifier, QStringLiteral("*")},
                                                     {Qt::Key_Period, Qt::KeypadModifier, QStringLiteral(",")},
                                                     {Qt::Key_End, Qt::KeypadModifier, {}},
                                                     {Qt::Key_Insert, Qt::KeypadModifier, {}}}};
        return pick(random, 3) == 0 ? others[static_cast<std::size_t>(pick(random, 7))] : digit(pick(random, 10), true);
    }

    template <typename Random>
    static StormKey editing(Random& random)
    {
        static const std::array<StormKey, 6> keys{{{Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b")},
                                                   {Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b")},
                                                   {Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f")},
                                                   {Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")},
                                                   {Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")},
                                                   {Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")}}};
        return keys[static_cast<std::size_t>(pick(random, 6))];
    }

    template <typename Random>
    static StormKey letter(Random& random)
    {
        const int offset = pick(random, 26);
        const bool upper = pick(random, 2) == 0;
        return {Qt::Key_A + offset, upper ? Qt::ShiftModifier : Qt::NoModifier,
                QString(QChar((upper ? 'A' : 'a') + offset))};
    }

    // Letters of other languages, digits of other scripts, a character outside
    // the 16-bit range, a dead key's accent.
    template <typename Random>
    static StormKey foreign(Random& random)
    {
        static const std::array<const char16_t*, 9> texts{u"\u00e8", u"\u00df", u"\u20ac",     u"\u4e2d", u"\u0663",
                                                          u"\uff15", u"\u00b9", u"\U0001F600", u"\u00b4"};
        return {Qt::Key_A + pick(random, 26), Qt::NoModifier,
                QString::fromUtf16(texts[static_cast<std::size_t>(pick(random, 9))])};
    }

    template <typename Random>
    static StormKey modifier(Random& random)
    {
        static const std::array keys{Qt::Key_Shift, Qt::Key_Control,  Qt::Key_Alt,    Qt::Key_Meta,
                                     Qt::Key_AltGr, Qt::Key_CapsLock, Qt::Key_NumLock};
        return {keys[static_cast<std::size_t>(pick(random, 7))], Qt::NoModifier, {}};
    }

    template <typename Random>
    static StormKey navigation(Random& random)
    {
        static const std::array keys{Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,
                                     Qt::Key_Home, Qt::Key_End,   Qt::Key_PageUp, Qt::Key_PageDown};
        static const std::array modifiers{Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier};
        return {
            keys[static_cast<std::size_t>(pick(random, 8))], modifiers[static_cast<std::size_t>(pick(random, 4))], {}};
    }

    template <typename Random>
    static StormKey focusKey(Random& random)
    {
        return pick(random, 2) == 0 ? tab() : StormKey{Qt::Key_Backtab, Qt::ShiftModifier, {}};
    }

    // Paste, copy, cut, undo and select-all shortcuts, function keys, the menu key.
    template <typename Random>
    static StormKey other(Random& random)
    {
        static const std::array<StormKey, 9> keys{
            {paste(true),
             paste(false),
             {Qt::Key_Insert, Qt::ControlModifier, {}},
             {Qt::Key_Delete, Qt::ShiftModifier, {}},
             {Qt::Key_Insert, Qt::NoModifier, {}},
             {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, QStringLiteral("\x1a")},
             {Qt::Key_F1, Qt::NoModifier, {}},
             {Qt::Key_F10, Qt::NoModifier, {}},
             {Qt::Key_Menu, Qt::NoModifier, {}}}};
        return keys[static_cast<std::size_t>(pick(random, 9))];
    }
};
