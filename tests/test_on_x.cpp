// The window on a real X server under a window manager, for what only a real
// server shows. The server, a session bus and xfwm4 are the test's own; keys
// and clicks come through XTEST (xdotool), the window is read with xprop and
// xwininfo as a desktop reads it.
#include "held_keys.h"
#include "title.h"
#include "window_fixture.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <csignal>
#include <cstdio>
#include <sys/prctl.h>

namespace {

// Starts a helper that dies with the test, should the test die first; returns
// the first line it writes when asked to wait for one.
QByteArray spawn(QProcess& process, const QString& program, const QStringList& arguments, bool answers = true)
{
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process.start(program, arguments);
    return answers && process.waitForReadyRead(30000) ? process.readLine().trimmed() : QByteArray();
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class OnXTest : public QObject {
    Q_OBJECT

private slots:
    void windowAsTheDesktopSeesIt();
    void heldDigitIsJudgedOnce();
    void discAndCloseButtonEndTheProgram();
};

void OnXTest::windowAsTheDesktopSeesIt()
{
    Drill drill;
    QVERIFY(drill.open());
    const QString id = QString::number(drill.form.winId());
    QString actions;
    QTRY_VERIFY((actions = run("xprop", {"-id", id, "_NET_WM_ALLOWED_ACTIONS"})).contains("_NET_WM_ACTION_CLOSE"));
    for (const char* refused : {"MINIMIZE", "MAXIMIZE_HORZ", "MAXIMIZE_VERT", "RESIZE"})
        QVERIFY2(!actions.contains(QLatin1String("_NET_WM_ACTION_") + refused), refused);

    const QString hints = run("xprop", {"-id", id, "_NET_WM_NAME", "WM_NORMAL_HINTS"});
    QVERIFY(hints.contains(QLatin1String("\"%1\"").arg(QString::fromUtf8(vendaro::layout::kTitle))));
    QVERIFY(hints.contains("program specified minimum size: 792 by 566"));
    QVERIFY(hints.contains("program specified maximum size: 792 by 566"));

    const QString info = run("xwininfo", {"-id", id});
    const auto number = [&](const char* field) {
        return QRegularExpression(QLatin1String(field) + ":\\s+(-?\\d+)").match(info).captured(1).toInt();
    };
    QCOMPARE(QSize(number("Width"), number("Height")), QSize(792, 566));
    QVERIFY(qAbs(number("Absolute upper-left X") - (1280 - 792) / 2) <= 1);
    QVERIFY(qAbs(number("Absolute upper-left Y") - (1024 - 566) / 2) <= 1);
}

// The server repeats a held key's press; the drill must judge the one real release.
void OnXTest::heldDigitIsJudgedOnce()
{
    Drill drill;
    QVERIFY(drill.open());
    drill.newExercise();
    int k = 1;
    while (drill.expected(k).size() != 1)
        ++k;
    drill.box(k)->setFocus(Qt::MouseFocusReason);
    const QString digit = drill.expected(k);
    run("xdotool", {"keydown", digit});
    QTest::qWait(1500); // past the server's auto-repeat delay of 660 ms
    run("xdotool", {"keyup", digit, "key", "Tab"});
    // The Tab comes after the release, so once it has moved the focus the release is handled.
    QTRY_COMPARE(QApplication::focusWidget(), drill.box(k % vendaro::kCellCount + 1));
    QCOMPARE(std::tuple(drill.box(k)->text(), drill.ink(k), drill.caption(k > 20 ? 29 : 25)),
             std::tuple(digit, QColor(0x0000C0), QString("1")));
}

void OnXTest::discAndCloseButtonEndTheProgram()
{
    for (const bool disc : {true, false}) {
        Drill drill;
        QVERIFY(drill.open());
        const QString id = QString::number(drill.form.winId());
        QTimer::singleShot(0, [&] {
            if (disc)
                run("xdotool", {"mousemove", "--window", id, "140", "540", "click", "1"});
            else
                run("wmctrl", {"-i", "-c", id});
        });
        QTimer::singleShot(10000, &drill.form, [] { QApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
    }
}

int main(int argc, char* argv[])
{
    // The server, bus and window manager it starts, and the tools it drives them with.
    for (const char* tool : {"Xvfb", "dbus-daemon", "xfwm4", "xdotool", "wmctrl", "xprop", "xwininfo"})
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            std::printf("test_on_x skipped: %s is missing\n", tool);
            return 77;
        }
    QProcess server, bus, windowManager;
    qputenv("DISPLAY",
            ":" + spawn(server, "Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}));
    // A bus of its own: no autolaunch, and nothing of the desktop the test runs from.
    qputenv("DBUS_SESSION_BUS_ADDRESS", spawn(bus, "dbus-daemon", {"--session", "--nofork", "--print-address=1"}));
    spawn(windowManager, "xfwm4", {"--compositor=off", "--sm-client-disable"}, false);
    for (int tries = 0; tries < 600 && !run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
         ++tries)
        QTest::qSleep(50);
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    reportHeldKeysOnce(app);
    OnXTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_on_x.moc"
