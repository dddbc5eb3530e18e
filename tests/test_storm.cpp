#include "app/form1.h"
#include "storm_model.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSpontaneKeyEvent>
#include <QTimer>
#include <QtTest>

#include <deque>
#include <memory>

namespace {

long fromEnvironment(const char* name, long fallback)
{
    bool ok = false;
    const long value = qEnvironmentVariable(name).toLong(&ok);
    return ok ? value : fallback;
}

void setClipboard(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text);
    if (clipboard->supportsSelection())
        clipboard->setText(text, QClipboard::Selection);
}

// Keys and commits go to the focused widget, mouse events to the control under the pointer.
QWidget* targetOf(const StormStep& step, QWidget& form)
{
    if (step.type == QEvent::KeyPress || step.type == QEvent::KeyRelease || step.type == QEvent::InputMethod)
        return QApplication::focusWidget();
    QWidget* child = form.childAt(step.point);
    return child ? child : &form;
}

std::unique_ptr<QEvent> eventFor(const StormStep& step, const QWidget& target, const QWidget& form)
{
    const QPointF local = target.mapFrom(&form, step.point);
    const QPointF global = form.mapToGlobal(step.point);
    switch (step.type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return std::make_unique<QKeyEvent>(step.type, step.key, step.modifiers, step.text, step.autoRepeat);
    case QEvent::InputMethod: {
        auto event = std::make_unique<QInputMethodEvent>(step.preedit ? step.text : QString(),
                                                         QList<QInputMethodEvent::Attribute>());
        if (!step.preedit)
            event->setCommitString(step.text);
        return event;
    }
    case QEvent::Wheel:
        return std::make_unique<QWheelEvent>(local, global, QPoint(), QPoint(0, 120), Qt::NoButton, step.modifiers,
                                             Qt::NoScrollPhase, false);
    case QEvent::ContextMenu:
        return std::make_unique<QContextMenuEvent>(QContextMenuEvent::Mouse, local.toPoint(), global.toPoint(),
                                                   step.modifiers);
    default: {
        const Qt::MouseButtons held = step.type == QEvent::MouseButtonRelease ? Qt::NoButton : step.button;
        return std::make_unique<QMouseEvent>(step.type, local, global, step.button, held, step.modifiers);
    }
    }
}

// The storm over one program run after another, with what it has done so far.
struct Storm {
    StormInput input;
    long target;
    long events = 0;
    long checks = 0;
    int programs = 0;
    int exercises = 0;
    long points = 0;
    std::deque<QString> recent = {};

    // One run of the program, from its start to the disc or to the end of the storm.
    QString runProgram()
    {
        Form1 form;
        form.showCentred();
        if (!QTest::qWaitForWindowActive(&form))
            return QStringLiteral("the window never became active");
        ++programs;
        StormModel model(form);
        QString broken = model.invariants();
        QTimer::singleShot(0, [&] {
            // A loop that QCoreApplication::exit stops too, so that the end of the program
            // shows the moment it happens; exit needs the application's loop to be running.
            QEventLoop running;
            QTimer::singleShot(0, &running, [&] {
                if (broken.isEmpty())
                    broken = run(model, running);
                running.exit();
            });
            running.exec();
            QCoreApplication::exit(0);
        });
        QApplication::exec();
        checks += model.checks();
        exercises += model.exercises();
        points += model.points();
        return broken;
    }

    QString run(StormModel& model, const QEventLoop& running)
    {
        while (events < target) {
            for (const StormStep& step : input.next(model.view())) {
                if (!deliver(step, model))
                    continue;
                const bool ended = !running.isRunning();
                if (!ended)
                    QCoreApplication::processEvents();
                const QString broken = model.check(ended);
                if (ended || !broken.isEmpty())
                    return broken;
            }
        }
        return {};
    }

    // Sends the step as the windowing system would, marked as coming from
    // outside; false when it is no event or has nowhere to go.
    bool deliver(const StormStep& step, StormModel& model)
    {
        if (step.type == QEvent::Clipboard) {
            remember(QStringLiteral("clipboard holds ") + step.text);
            setClipboard(step.text);
            return false;
        }
        QWidget* target = targetOf(step, model.view().form);
        if (!target)
            return false;
        const std::unique_ptr<QEvent> event = eventFor(step, *target, model.view().form);
        QString described;
        QDebug(&described) << event.get() << "to" << target;
        remember(described);
        model.expect(step, target);
        QSpontaneKeyEvent::setSpontaneous(event.get());
        QCoreApplication::instance()->notify(target, event.get());
        ++events;
        return true;
    }

    void remember(const QString& step)
    {
        recent.push_back(step);
        if (recent.size() > 12)
            recent.pop_front();
    }
};

} // namespace

// A long run of random input over the real window, checking after every
// event what must always hold. VENDARO_STORM_EVENTS sets its length and
// VENDARO_STORM_SEED its input; the exercises drawn still follow the clock.
class StormTest : public QObject {
    Q_OBJECT

private slots:
    void invariantsHoldUnderRandomInput()
    {
        const auto seed = static_cast<std::uint64_t>(fromEnvironment("VENDARO_STORM_SEED", 1958));
        Storm storm{StormInput(seed), fromEnvironment("VENDARO_STORM_EVENTS", 20000)};
        QElapsedTimer clock;
        clock.start();
        while (storm.events < storm.target) {
            const QString broken = storm.runProgram();
            const QStringList recent(storm.recent.begin(), storm.recent.end());
            if (!broken.isEmpty())
                QFAIL(qPrintable(QStringLiteral("seed %1, event %2: %3\nlast events:\n%4")
                                     .arg(seed)
                                     .arg(storm.events)
                                     .arg(broken, recent.join(QLatin1Char('\n')))));
        }
        const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;
        qInfo("storm: seed %llu, %ld events, %ld invariant checks, %d program runs, %d exercises, %ld points, "
              "%.1f s, %.0f events/s",
              static_cast<unsigned long long>(seed), storm.events, storm.checks, storm.programs, storm.exercises,
              storm.points, seconds, static_cast<double>(storm.events) / seconds);
        // A storm that never drew an exercise, scored or ended a program has not tried the drill.
        QVERIFY(storm.exercises > 0);
        QVERIFY(storm.points > 0);
        QVERIFY(storm.target < 10000 || storm.programs > 1);
    }
};

QTEST_MAIN(StormTest)
#include "test_storm.moc"
