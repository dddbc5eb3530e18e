#pragma once

#include "storm_commit.h"
#include "storm_model.h"
#include "storm_step.h"
#include "storm_view.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSpontaneKeyEvent>

// Hands the storm's steps to the window as the windowing system would: keys
// and commits to the focused box, mouse events to the control under the
// pointer, all marked as coming from outside. After each event the window
// gets its posted work done and the model's invariants are checked.
class StormDriver {
public:
    struct Outcome {
        bool delivered = false;
        bool ended = false;
        QString broken;
    };

    StormDriver(const StormView& view, StormModel& model, const QEventLoop& running)
        : view_(view), model_(model), running_(running)
    {
    }

    Outcome deliver(const StormStep& step)
    {
        if (step.kind == StormStep::Kind::Clipboard) {
            setClipboard(step.text);
            return {};
        }
        QWidget* target = targetOf(step);
        if (!target)
            return {};
        const bool keyUpInBox = isBox(target) && step.kind == StormStep::Kind::KeyRelease && !step.autoRepeat;
        const bool commitFills = step.kind == StormStep::Kind::Commit && commitFillsTheTables(*target, step.text);
        const Expected expected = expectFromMouse(step, target);

        send(step, *target);
        Outcome outcome{true, !running_.isRunning(), {}};
        if (outcome.ended != expected.end)
            outcome.broken =
                outcome.ended ? QStringLiteral("the program ended") : QStringLiteral("the disc was ignored");
        if (outcome.ended || !outcome.broken.isEmpty())
            return outcome;
        QCoreApplication::processEvents();
        if (expected.newExercise)
            model_.newExercise();
        if (commitFills || (keyUpInBox && view_.allFilled()))
            model_.filledAtKeyUp();
        outcome.broken = model_.check(view_);
        return outcome;
    }

private:
    struct Expected {
        bool newExercise = false;
        bool end = false;
    };

    static void setClipboard(const QString& text)
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(text);
        if (clipboard->supportsSelection())
            clipboard->setText(text, QClipboard::Selection);
    }

    bool isBox(const QWidget* widget) const { return qobject_cast<const QLineEdit*>(widget) != nullptr; }

    QWidget* targetOf(const StormStep& step) const
    {
        switch (step.kind) {
        case StormStep::Kind::KeyPress:
        case StormStep::Kind::KeyRelease:
        case StormStep::Kind::Commit:
        case StormStep::Kind::Preedit:
            return QApplication::focusWidget();
        default:
            QWidget* child = view_.form().childAt(step.point);
            return child ? child : &view_.form();
        }
    }

    // Each character of a commit is typed and released on its own; if the
    // other 39 boxes are filled, the chalk box comes back as soon as one of
    // those releases finds this box holding something.
    bool commitFillsTheTables(const QWidget& target, const QString& commit) const
    {
        const auto& box = static_cast<const QLineEdit&>(target);
        const int number = view_.focusedBox();
        if (!isBox(&target) || !view_.allFilledBut(number))
            return false;
        return CommitReplay(box, view_.answerLength(number)).filledAtSomeCharacter(commit);
    }

    // A left press and release on the chalk box draws an exercise while it is
    // enabled; on the disc, they end the program.
    Expected expectFromMouse(const StormStep& step, const QWidget* target)
    {
        const bool left = step.button == Qt::LeftButton;
        const bool onChalk = target == &view_.label(22);
        const bool onDisc = target == &view_.label(23);
        Expected expected;
        if (step.kind == StormStep::Kind::MousePress || step.kind == StormStep::Kind::MouseDoubleClick) {
            chalkPressed_ = left && onChalk && model_.label22Enabled();
            discPressed_ = left && onDisc;
        }
        else if (step.kind == StormStep::Kind::MouseRelease && left) {
            expected.newExercise = chalkPressed_ && onChalk && model_.label22Enabled();
            expected.end = discPressed_ && onDisc;
            chalkPressed_ = discPressed_ = false;
        }
        return expected;
    }

    static void notify(QWidget& target, QEvent& event)
    {
        QSpontaneKeyEvent::setSpontaneous(&event);
        QApplication::instance()->notify(&target, &event);
    }

    void send(const StormStep& step, QWidget& target) const
    {
        using Kind = StormStep::Kind;
        const QPointF local = target.mapFrom(&view_.form(), step.point);
        const QPointF global = view_.form().mapToGlobal(step.point);
        switch (step.kind) {
        case Kind::KeyPress:
        case Kind::KeyRelease: {
            QKeyEvent event(step.kind == Kind::KeyPress ? QEvent::KeyPress : QEvent::KeyRelease, step.key,
                            step.modifiers, step.text, step.autoRepeat);
            return notify(target, event);
        }
        case Kind::MousePress:
        case Kind::MouseRelease:
        case Kind::MouseDoubleClick:
        case Kind::MouseMove: {
            const Qt::MouseButtons held =
                step.kind == Kind::MouseRelease ? Qt::NoButton : Qt::MouseButtons(step.button);
            QMouseEvent event(mouseType(step.kind), local, global, step.button, held, step.modifiers);
            return notify(target, event);
        }
        case Kind::Wheel: {
            QWheelEvent event(local, global, QPoint(), QPoint(0, 120), Qt::NoButton, step.modifiers, Qt::NoScrollPhase,
                              false);
            return notify(target, event);
        }
        case Kind::ContextMenu: {
            QContextMenuEvent event(QContextMenuEvent::Mouse, local.toPoint(), global.toPoint(), step.modifiers);
            return notify(target, event);
        }
        case Kind::Commit:
        case Kind::Preedit: {
            QInputMethodEvent event(step.kind == Kind::Preedit ? step.text : QString(), {});
            if (step.kind == Kind::Commit)
                event.setCommitString(step.text);
            return notify(target, event);
        }
        case Kind::Clipboard:
            return;
        }
    }

    static QEvent::Type mouseType(StormStep::Kind kind)
    {
        switch (kind) {
        case StormStep::Kind::MousePress:
            return QEvent::MouseButtonPress;
        case StormStep::Kind::MouseRelease:
            return QEvent::MouseButtonRelease;
        case StormStep::Kind::MouseDoubleClick:
            return QEvent::MouseButtonDblClick;
        default:
            return QEvent::MouseMove;
        }
    }

    const StormView& view_;
    StormModel& model_;
    const QEventLoop& running_;
    bool chalkPressed_ = false;
    bool discPressed_ = false;
};
