#pragma once

#include "storm_keys.h"
#include "storm_step.h"
#include "storm_view.h"

#include <random>
#include <vector>

// Draws the storm's input, one burst at a time, from a seeded generator so
// that the same seed gives the same input again. A burst is what a hand does
// at once: a key tapped or held, an answer typed, a click, a paste attempt,
// an input-method commit.
class StormInput {
public:
    explicit StormInput(std::uint64_t seed) : random_(seed) {}

    std::vector<StormStep> next(const StormView& view)
    {
        steps_.clear();
        const int burst = pick(1000);
        if (burst < 370)
            tap(StormKeys::any(random_));
        else if (burst < 380)
            fillEmptyBoxes(view);
        else if (burst < 470)
            typeAnswer(view);
        else if (burst < 520)
            typeAnswerThenTab(view);
        else if (burst < 560)
            holdWithAutoRepeat(StormKeys::any(random_));
        else if (burst < 600)
            holdOrLetGo();
        else if (burst < 750)
            click(pointIn(anyControl(view)), anyButton());
        else if (burst < 790)
            click(pointIn(view.label(22)), Qt::LeftButton);
        else if (burst < 810)
            doubleClick(pointIn(anyControl(view)));
        else if (burst < 860)
            paste(view);
        else if (burst < 920)
            commit();
        else if (burst < 930)
            preedit();
        else if (burst < 960)
            move(pointIn(anyControl(view)));
        else if (burst < 999)
            wheelOrMenu(pointIn(anyControl(view)));
        else
            click(pointIn(view.label(23)), Qt::LeftButton);
        return steps_;
    }

private:
    using Kind = StormStep::Kind;

    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    void key(Kind kind, const StormKey& key, bool autoRepeat = false)
    {
        StormStep step;
        step.kind = kind;
        step.key = key.key;
        step.modifiers = key.modifiers;
        step.text = key.text;
        step.autoRepeat = autoRepeat;
        steps_.push_back(step);
    }

    void tap(const StormKey& stroke)
    {
        key(Kind::KeyPress, stroke);
        key(Kind::KeyRelease, stroke);
    }

    // The right answer as the headers give it, or a random digit before the
    // first exercise; a third of the time on the keypad.
    void typeAnswer(const StormView& view)
    {
        const auto answer = view.expectedAnswer(view.focusedBox() == 0 ? 1 : view.focusedBox());
        const bool keypad = pick(3) == 0;
        for (const QChar d : QString::number(answer.value_or(pick(10))))
            tap(StormKeys::digit(d.digitValue(), keypad));
    }

    // Clicks into every empty box but perhaps the last and types its answer,
    // as keys or as one input-method commit, so that the storm often meets
    // tables about to be complete.
    void fillEmptyBoxes(const StormView& view)
    {
        const bool leaveOne = pick(2) == 0;
        std::vector<int> empty;
        for (int n = 1; n <= 40; ++n)
            if (view.box(n).text().isEmpty())
                empty.push_back(n);
        if (leaveOne && !empty.empty())
            empty.pop_back();
        for (const int n : empty) {
            click(pointIn(view.box(n)), Qt::LeftButton);
            const QString answer = QString::number(view.expectedAnswer(n).value_or(pick(10)));
            if (pick(3) == 0)
                commit(answer);
            else
                for (const QChar d : answer)
                    tap(StormKeys::digit(d.digitValue(), false));
        }
    }

    void typeAnswerThenTab(const StormView& view)
    {
        typeAnswer(view);
        tap(StormKeys::tab());
    }

    // Held down, the key repeats its press; X reports each repeat as a
    // release and a press marked auto-repeat before the real release.
    void holdWithAutoRepeat(const StormKey& stroke)
    {
        key(Kind::KeyPress, stroke);
        for (int repeat = 1 + pick(6); repeat > 0; --repeat) {
            key(Kind::KeyRelease, stroke, true);
            key(Kind::KeyPress, stroke, true);
        }
        key(Kind::KeyRelease, stroke);
    }

    // Presses and releases that do not pair up: a key still held while others
    // are typed, a release whose press went elsewhere.
    void holdOrLetGo()
    {
        if (held_.empty() || pick(2) == 0) {
            held_.push_back(StormKeys::any(random_));
            key(Kind::KeyPress, held_.back());
            return;
        }
        key(Kind::KeyRelease, held_.back());
        held_.pop_back();
    }

    QWidget& anyControl(const StormView& view)
    {
        const int n = pick(77);
        if (n < 40)
            return view.box(n + 1);
        if (n < 71)
            return view.label(n - 39);
        if (n < 76)
            return view.image(n - 70);
        return view.form();
    }

    QPoint pointIn(const QWidget& control)
    {
        const QRect area = control.isWindow() ? control.rect() : control.geometry();
        return {area.left() + pick(area.width()), area.top() + pick(area.height())};
    }

    Qt::MouseButton anyButton()
    {
        const int n = pick(10);
        return n < 7 ? Qt::LeftButton : n < 9 ? Qt::RightButton : Qt::MiddleButton;
    }

    void mouse(Kind kind, QPoint point, Qt::MouseButton button)
    {
        StormStep step;
        step.kind = kind;
        step.point = point;
        step.button = button;
        step.modifiers = pick(8) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
        steps_.push_back(step);
    }

    void click(QPoint point, Qt::MouseButton button)
    {
        mouse(Kind::MousePress, point, button);
        mouse(Kind::MouseRelease, point, button);
    }

    void doubleClick(QPoint point)
    {
        click(point, Qt::LeftButton);
        mouse(Kind::MouseDoubleClick, point, Qt::LeftButton);
        mouse(Kind::MouseRelease, point, Qt::LeftButton);
    }

    void move(QPoint point) { mouse(Kind::MouseMove, point, Qt::NoButton); }

    void wheelOrMenu(QPoint point) { mouse(pick(2) == 0 ? Kind::Wheel : Kind::ContextMenu, point, Qt::NoButton); }

    // Something on the clipboard, then Ctrl+V, Shift+Insert or the middle button on a box.
    void paste(const StormView& view)
    {
        static const std::array<const char16_t*, 5> texts{u"7", u"12", u"3a", u"\u0663", u"\u00e8 9"};
        StormStep clipboard;
        clipboard.kind = Kind::Clipboard;
        clipboard.text = QString::fromUtf16(texts[static_cast<std::size_t>(pick(5))]);
        steps_.push_back(clipboard);
        const int way = pick(3);
        if (way < 2)
            tap(StormKeys::paste(way == 0));
        else
            click(pointIn(view.box(1 + pick(40))), Qt::MiddleButton);
    }

    // One to three characters at once: digits, a letter, a backspace, an
    // accented letter, a digit of another script, half a surrogate pair.
    void commit()
    {
        static const std::array<char16_t, 14> pool{u'0', u'1',  u'2',      u'3',      u'5',      u'7', u'9',
                                                   u'a', u'\b', u'\u00e8', u'\u0663', u'\xd83d', u' ', u'-'};
        QString text;
        for (int length = 1 + pick(3); length > 0; --length)
            text += QChar(pool[static_cast<std::size_t>(pick(14))]);
        commit(text);
    }

    void commit(const QString& text)
    {
        StormStep step;
        step.kind = Kind::Commit;
        step.text = text;
        steps_.push_back(step);
    }

    void preedit()
    {
        StormStep step;
        step.kind = Kind::Preedit;
        step.text = pick(2) == 0 ? QStringLiteral("4") : QStringLiteral("\u00e8");
        steps_.push_back(step);
    }

    std::mt19937_64 random_;
    std::vector<StormStep> steps_;
    std::vector<StormKey> held_;
};
