#include "app/form1.h"
#include "storm_driver.h"
#include "storm_input.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include <deque>

// A long run of random input over the real window, checking after every
// event what must always hold. VENDARO_STORM_EVENTS sets its length and
// VENDARO_STORM_SEED its input; the exercises drawn still follow the clock.
class StormTest : public QObject {
    Q_OBJECT

private slots:
    void invariantsHoldUnderRandomInput();

private:
    struct Tally {
        long events = 0;
        long checks = 0;
        int programs = 0;
        int exercises = 0;
        long points = 0;
    };

    QString runProgram(StormInput& input, long target);
    QString storm(StormInput& input, long target, StormDriver& driver, const StormView& view);

    Tally tally_;
    std::deque<QString> recent_;
};

namespace {

long fromEnvironment(const char* name, long fallback)
{
    bool ok = false;
    const long value = qEnvironmentVariable(name).toLong(&ok);
    return ok ? value : fallback;
}

} // namespace

void StormTest::invariantsHoldUnderRandomInput()
{
    const long target = fromEnvironment("VENDARO_STORM_EVENTS", 20000);
    const auto seed = static_cast<std::uint64_t>(fromEnvironment("VENDARO_STORM_SEED", 1958));
    StormInput input(seed);
    QElapsedTimer clock;
    clock.start();
    while (tally_.events < target) {
        const QString broken = runProgram(input, target);
        if (!broken.isEmpty())
            QFAIL(qPrintable(QStringLiteral("seed %1, event %2: %3\nlast events:\n%4")
                                 .arg(seed)
                                 .arg(tally_.events)
                                 .arg(broken)
                                 .arg(QStringList(recent_.begin(), recent_.end()).join(QLatin1Char('\n')))));
    }
    const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;
    qInfo("storm: seed %llu, %ld events, %ld invariant checks, %d program runs, %d exercises, %ld points, "
          "%.1f s, %.0f events/s",
          static_cast<unsigned long long>(seed), tally_.events, tally_.checks, tally_.programs, tally_.exercises,
          tally_.points, seconds, static_cast<double>(tally_.events) / seconds);
    // A storm that never drew an exercise, scored or ended a program has not tried the drill.
    QVERIFY(tally_.exercises > 0);
    QVERIFY(tally_.points > 0);
    QVERIFY(target < 10000 || tally_.programs > 1);
}

// One run of the program, from its start to the disc or to the end of the storm.
QString StormTest::runProgram(StormInput& input, long target)
{
    Form1 form;
    form.showCentred();
    if (!QTest::qWaitForWindowActive(&form))
        return QStringLiteral("the window never became active");
    ++tally_.programs;
    const StormView view(form);
    StormModel model;
    QString broken = model.check(view);
    QTimer::singleShot(0, [&] {
        // A local loop that QCoreApplication::exit stops too, so the end of
        // the program shows the moment it happens.
        QEventLoop running;
        StormDriver driver(view, model, running);
        QTimer::singleShot(0, &running, [&] {
            if (broken.isEmpty())
                broken = storm(input, target, driver, view);
            running.exit();
        });
        running.exec();
        QCoreApplication::exit(0);
    });
    QApplication::exec();
    tally_.checks += model.checks();
    tally_.exercises += model.exercises();
    tally_.points += model.points();
    return broken;
}

QString StormTest::storm(StormInput& input, long target, StormDriver& driver, const StormView& view)
{
    while (tally_.events < target) {
        for (const StormStep& step : input.next(view)) {
            recent_.push_back(step.describe());
            if (recent_.size() > 12)
                recent_.pop_front();
            const StormDriver::Outcome outcome = driver.deliver(step);
            tally_.events += outcome.delivered ? 1 : 0;
            tally_.checks += outcome.delivered ? 1 : 0;
            if (!outcome.broken.isEmpty() || outcome.ended)
                return outcome.broken;
        }
    }
    return {};
}

QTEST_MAIN(StormTest)
#include "test_storm.moc"
