#pragma once

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPoint>
#include <QString>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <random>
#include <vector>

// The window's controls, found by name (numbered from 1 as the names are), and
// what a pupil reads off them.
struct StormView {
    explicit StormView(QWidget& window) : form(window)
    {
        for (int n = 1; n <= 40; ++n)
            box[n] = find<QLineEdit>("Text", n);
        for (int n = 1; n <= 31; ++n)
            label[n] = find<QLabel>("Label", n);
        for (int n = 1; n <= 5; ++n)
            image[n] = find<QWidget>("Image", n);
    }

    // Box n's answer worked out from the header captions, row plus column or
    // minuend minus subtrahend; empty before the first exercise.
    QString answer(int n) const
    {
        const bool addition = n <= 20;
        const int cell = addition ? n - 1 : n - 21;
        const QString row = label[(addition ? 6 : 16) + cell / 4]->text();
        const QString column = label[(addition ? 2 : 12) + cell % 4]->text();
        if (row.isEmpty() || column.isEmpty())
            return {};
        return QString::number(addition ? row.toInt() + column.toInt() : row.toInt() - column.toInt());
    }

    // The box holding the keyboard focus, 0 when none does.
    int focusedBox() const
    {
        for (int n = 1; n <= 40; ++n)
            if (box[n]->hasFocus())
                return n;
        return 0;
    }

    bool allFilledBut(int skipped) const
    {
        for (int n = 1; n <= 40; ++n)
            if (n != skipped && box[n]->text().isEmpty())
                return false;
        return true;
    }

    QWidget& form;
    std::array<QLineEdit*, 41> box{};
    std::array<QLabel*, 32> label{};
    std::array<QWidget*, 6> image{};

private:
    template <typename T>
    T* find(const char* prefix, int n) const
    {
        const QString name = QLatin1String(prefix) + QString::number(n);
        T* child = form.findChild<T*>(name, Qt::FindDirectChildrenOnly);
        if (!child)
            qFatal("the window has no control named %s", qPrintable(name));
        return child;
    }
};

// One event of the storm. It becomes a Qt event only when sent, as the control
// under the pointer may change in between. QEvent::Clipboard stands for text
// put on the clipboard before a paste attempt.
struct StormStep {
    QEvent::Type type = QEvent::None;
    int key = 0;
    Qt::KeyboardModifiers modifiers = {};
    QString text = {}; // typed, committed, shown as preedit or put on the clipboard
    bool autoRepeat = false;
    bool preedit = false; // an input-method event showing text rather than committing it
    QPoint point = {};    // in the window
    Qt::MouseButton button = Qt::NoButton;
};

// Draws the storm's input from a seeded generator, so that a seed gives the
// same input again, one burst at a time: what a hand does at once.
class StormInput {
public:
    explicit StormInput(std::uint64_t seed) : random_(seed) {}

    std::vector<StormStep> next(const StormView& view)
    {
        steps_.clear();
        const int burst = pick(1000);
        if (burst < 370)
            tap(anyKey());
        else if (burst < 380)
            fillEmptyBoxes(view);
        else if (burst < 520) { // the focused box's answer, a third of the time on the keypad, perhaps then Tab
            typeAnswer(view, std::max(1, view.focusedBox()), pick(3) == 0);
            if (burst >= 470)
                tap(key(Qt::Key_Tab, {}, QStringLiteral("\t")));
        }
        else if (burst < 560)
            tap(anyKey(), 1 + pick(6));
        else if (burst < 600)
            holdOrLetGo();
        else if (burst < 750)
            click(anyPoint(view), oneOf({Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}));
        else if (burst < 790)
            click(pointIn(*view.label[22]), Qt::LeftButton);
        else if (burst < 810)
            click(anyPoint(view), Qt::LeftButton, true);
        else if (burst < 860)
            paste(view);
        else if (burst < 920)
            inputMethod(anyCommit(), false);
        else if (burst < 930)
            inputMethod(oneOf({QStringLiteral("4"), QStringLiteral("\u00e8")}), true);
        else if (burst < 999)
            mouse(oneOf({QEvent::MouseMove, QEvent::Wheel, QEvent::ContextMenu}), anyPoint(view), Qt::NoButton);
        else
            click(pointIn(*view.label[23]), Qt::LeftButton);
        return steps_;
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    template <typename T>
    T oneOf(std::initializer_list<T> choices)
    {
        return choices.begin()[pick(static_cast<int>(choices.size()))];
    }

    static StormStep key(int code, Qt::KeyboardModifiers modifiers, const QString& text)
    {
        return {.type = QEvent::KeyPress, .key = code, .modifiers = modifiers, .text = text};
    }

    static StormStep digit(int d, bool keypad)
    {
        return key(Qt::Key_0 + d, keypad ? Qt::KeypadModifier : Qt::NoModifier, QString(QChar('0' + d)));
    }

    // Keys of every kind, now and then with Alt, Meta or Ctrl held as well:
    // digits, letters, Ctrl+letter, text of other scripts and all the rest.
    StormStep anyKey()
    {
        const int kind = pick(100);
        const int letter = pick(26);
        const bool shift = pick(2) == 0;
        StormStep step =
            kind < 30   ? digit(pick(10), false)
            : kind < 35 ? digit(pick(10), true)
            : kind < 45 ? key(Qt::Key_A + letter, shift ? Qt::ShiftModifier : Qt::NoModifier,
                              QString(QChar((shift ? 'A' : 'a') + letter)))
            : kind < 51 ? key(Qt::Key_A + letter, Qt::ControlModifier | (shift ? Qt::ShiftModifier : Qt::NoModifier),
                              QString(QChar(letter + 1)))
            : kind < 57 ? key(Qt::Key_A + letter, {}, foreignText())
                        : otherKey();
        if (pick(10) == 0)
            step.modifiers |= oneOf({Qt::AltModifier, Qt::MetaModifier, Qt::ControlModifier});
        return step;
    }

    // Letters of other languages, digits of other scripts, a character outside
    // the 16-bit range, a dead key's accent.
    QString foreignText()
    {
        return QString::fromUtf16(oneOf<const char16_t*>(
            {u"\u00e8", u"\u00df", u"\u20ac", u"\u4e2d", u"\u0663", u"\uff15", u"\u00b9", u"\U0001F600", u"\u00b4"}));
    }

    // Editing, keypad, focus and navigation keys, lone modifiers, function keys,
    // alone or with Shift, Ctrl or the keypad flag: among them Shift+Insert,
    // which pastes, Ctrl+Insert, which copies, and Shift+Delete, which cuts.
    StormStep otherKey()
    {
        const int code = oneOf<int>(
            {Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return,   Qt::Key_Enter,    Qt::Key_Escape,
             Qt::Key_Tab,       Qt::Key_Tab,       Qt::Key_Space,  Qt::Key_Plus,     Qt::Key_Minus,    Qt::Key_Asterisk,
             Qt::Key_Comma,     Qt::Key_Backtab,   Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Up,       Qt::Key_Down,
             Qt::Key_Home,      Qt::Key_End,       Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Insert,   Qt::Key_Shift,
             Qt::Key_Control,   Qt::Key_Alt,       Qt::Key_Meta,   Qt::Key_AltGr,    Qt::Key_CapsLock, Qt::Key_NumLock,
             Qt::Key_F1,        Qt::Key_F10,       Qt::Key_Menu});
        // Keys below 0x100 type themselves; of the others only these type anything.
        const auto control =
            QList<int>{Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab}
                .indexOf(code);
        const QString text = control >= 0   ? QString(QStringLiteral("\b\x7f\r\r\x1b\t")[control])
                             : code < 0x100 ? QString(QChar(code))
                                            : QString();
        return key(code,
                   oneOf({Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::KeypadModifier}),
                   text);
    }

    void release(StormStep step, bool autoRepeat = false)
    {
        step.type = QEvent::KeyRelease;
        step.autoRepeat = autoRepeat;
        steps_.push_back(step);
    }

    // A key pressed and released. Held down, it repeats its press, which X
    // reports as a release and a press marked auto-repeat before the real release.
    void tap(StormStep step, int repeats = 0)
    {
        steps_.push_back(step);
        step.autoRepeat = true;
        while (repeats-- > 0) {
            release(step, true);
            steps_.push_back(step);
        }
        release(step);
    }

    // Presses and releases that do not pair up: a key still held while others
    // are typed, a release whose press went elsewhere.
    void holdOrLetGo()
    {
        if (held_.empty() || pick(2) == 0) {
            held_.push_back(anyKey());
            return steps_.push_back(held_.back());
        }
        release(held_.back());
        held_.pop_back();
    }

    // The answer of box n as the headers give it, or a random digit before the first exercise.
    QString answerOf(const StormView& view, int n)
    {
        const QString answer = view.answer(n);
        return answer.isEmpty() ? QString::number(pick(10)) : answer;
    }

    // Box n's answer, key by key.
    void typeAnswer(const StormView& view, int n, bool keypad)
    {
        for (const QChar d : answerOf(view, n))
            tap(digit(d.digitValue(), keypad));
    }

    // Clicks into every empty box but perhaps the last and types its answer, as
    // keys or as one commit, so that the storm often meets tables about to be complete.
    void fillEmptyBoxes(const StormView& view)
    {
        std::vector<int> empty;
        for (int n = 1; n <= 40; ++n)
            if (view.box[n]->text().isEmpty())
                empty.push_back(n);
        if (pick(2) == 0 && !empty.empty())
            empty.pop_back();
        for (const int n : empty) {
            click(pointIn(*view.box[n]), Qt::LeftButton);
            if (pick(3) == 0)
                inputMethod(answerOf(view, n), false);
            else
                typeAnswer(view, n, false);
        }
    }

    QPoint pointIn(const QWidget& control)
    {
        const QRect area = control.isWindow() ? control.rect() : control.geometry();
        return {area.left() + pick(area.width()), area.top() + pick(area.height())};
    }

    // A point on any box, label, picture or the bare board.
    QPoint anyPoint(const StormView& view)
    {
        const int n = pick(77);
        return pointIn(n < 40   ? *view.box[n + 1]
                       : n < 71 ? *view.label[n - 39]
                       : n < 76 ? *view.image[n - 70]
                                : view.form);
    }

    void mouse(QEvent::Type type, QPoint point, Qt::MouseButton button)
    {
        const Qt::KeyboardModifiers modifiers = pick(8) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
        steps_.push_back({.type = type, .modifiers = modifiers, .point = point, .button = button});
    }

    // A click, or a double click as the windowing system reports it.
    void click(QPoint point, Qt::MouseButton button, bool twice = false)
    {
        mouse(QEvent::MouseButtonPress, point, button);
        mouse(QEvent::MouseButtonRelease, point, button);
        if (twice) {
            mouse(QEvent::MouseButtonDblClick, point, button);
            mouse(QEvent::MouseButtonRelease, point, button);
        }
    }

    // Something on the clipboard, then Ctrl+V, Shift+Insert or the middle button on a box.
    void paste(const StormView& view)
    {
        const char16_t* text = oneOf<const char16_t*>({u"7", u"12", u"3a", u"\u0663", u"\u00e8 9"});
        steps_.push_back({.type = QEvent::Clipboard, .text = QString::fromUtf16(text)});
        const int way = pick(3);
        if (way == 2)
            return click(pointIn(*view.box[1 + pick(40)]), Qt::MiddleButton);
        tap(way == 0 ? key(Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"))
                     : key(Qt::Key_Insert, Qt::ShiftModifier, {}));
    }

    // One to three characters at once: digits, a letter, a backspace, an
    // accented letter, a digit of another script, half a surrogate pair.
    QString anyCommit()
    {
        QString text;
        for (int length = 1 + pick(3); length > 0; --length)
            text += QChar(oneOf(
                {u'0', u'1', u'2', u'3', u'5', u'7', u'9', u'a', u'\b', u'\u00e8', u'\u0663', u'\xd83d', u' ', u'-'}));
        return text;
    }

    void inputMethod(const QString& text, bool preedit)
    {
        steps_.push_back({.type = QEvent::InputMethod, .text = text, .preedit = preedit});
    }

    std::mt19937_64 random_;
    std::vector<StormStep> steps_;
    std::vector<StormStep> held_;
};
