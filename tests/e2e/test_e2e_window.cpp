#include "e2e/pupil.h"

#include <QElapsedTimer>
#include <QtTest>

using board::Pointer;

// The drill's window as the X server and a window manager see it, its
// pointers, and the two ways to end it.
class WindowOnXTest : public QObject {
    Q_OBJECT

private slots:
    void windowAsTheDesktopSeesIt();
    void windowManagerOffersOnlyClosing();
    void pointersFollowTheControls();
    void discEndsTheProgram();
    void closingTheWindowEndsTheProgram();
};

namespace {

const QSize kClientSize{792, 566};
constexpr int kExitWithinMs = 1000;

// Motif hints: flags, functions, decorations. Function bits: resize 2,
// move 4, minimise 8, maximise 16, close 32.
constexpr unsigned long kFunctionsGiven = 1;
constexpr unsigned long kMinimise = 8;
constexpr unsigned long kMaximise = 16;
constexpr unsigned long kClose = 32;

int countNear(const QImage& image, QRgb colour)
{
    int found = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            found += qAlpha(p) > 128 && qAbs(qRed(p) - qRed(colour)) < 48 && qAbs(qGreen(p) - qGreen(colour)) < 48 &&
                             qAbs(qBlue(p) - qBlue(colour)) < 48
                         ? 1
                         : 0;
        }
    return found;
}

// Waits for the drill to end by itself and reports how long it took.
qint64 msUntilExit(QProcess& program)
{
    QElapsedTimer clock;
    clock.start();
    program.waitForFinished(kExitWithinMs * 5);
    return clock.elapsed();
}

} // namespace

#define START_DRILL(session, ...)                                                                                      \
    XSession session{__VA_ARGS__};                                                                                     \
    QVERIFY2(session.error().isEmpty(), qPrintable(session.error()))

#define VERIFY_CLEAN_EXIT(session, ms)                                                                                 \
    QVERIFY2(session.program().state() == QProcess::NotRunning, "the drill did not end");                              \
    QVERIFY2(ms <= kExitWithinMs, qPrintable(QStringLiteral("the drill took %1 ms to end").arg(ms)));                  \
    QCOMPARE(session.program().exitStatus(), QProcess::NormalExit);                                                    \
    QVERIFY2(session.program().exitCode() == 0, qPrintable(session.programOutput()))

void WindowOnXTest::windowAsTheDesktopSeesIt()
{
    START_DRILL(session);
    XClient& x = session.x();
    const XClient::Window window = session.window();
    const QString title = QStringLiteral("ZENTARI   QUORVO    Addizioni e Sottrazioni in tabella");
    QCOMPARE(x.title(window), title);
    QCOMPARE(x.legacyTitle(window), title);

    QCOMPARE(session.client().size(), kClientSize);
    const auto hints = x.sizeHints(window);
    QVERIFY(hints);
    QCOMPARE(hints->minimum, kClientSize);
    QCOMPARE(hints->maximum, kClientSize);
    const QSize free = x.screenSize() - kClientSize;
    QVERIFY2(qAbs(session.client().x() - free.width() / 2) <= 1 && qAbs(session.client().y() - free.height() / 2) <= 1,
             qPrintable(QStringLiteral("window at %1,%2").arg(session.client().x()).arg(session.client().y())));

    const auto motif = x.cardinals(window, "_MOTIF_WM_HINTS");
    QVERIFY(motif.size() >= 3 && (motif[0] & kFunctionsGiven));
    QVERIFY(motif[1] & kClose);
    QVERIFY(!(motif[1] & (kMinimise | kMaximise)));

    // The program icon: a white window with a cyan title bar, outlined in black.
    const auto icons = x.icons(window);
    QVERIFY(!icons.empty());
    const QImage& icon = icons.back();
    QVERIFY(countNear(icon, 0x00FFFF) > 0);
    QVERIFY(countNear(icon, 0xFFFFFF) > countNear(icon, 0x00FFFF));
    QVERIFY(countNear(icon, 0x000000) > 0);
}

// A window manager that reads the hints offers closing but neither
// minimising, maximising nor resizing, and holds the size against requests.
void WindowOnXTest::windowManagerOffersOnlyClosing()
{
    START_DRILL(session, XSession::WindowManager::Xfwm4);
    XClient& x = session.x();
    const XClient::Window window = session.window();
    QStringList actions;
    QTRY_VERIFY((actions = x.atomNames(window, "_NET_WM_ALLOWED_ACTIONS")).contains("_NET_WM_ACTION_CLOSE"));
    for (const char* refused : {"_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ",
                                "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_RESIZE"})
        QVERIFY2(!actions.contains(QLatin1String(refused)), refused);

    // The move is granted, which shows the request was handled; the size is not.
    const QRect asked(session.client().topLeft() + QPoint(40, 30), QSize(1000, 700));
    x.requestMoveResize(window, asked);
    QTRY_VERIFY(x.geometry(window).topLeft() != session.client().topLeft());
    QCOMPARE(x.geometry(window).size(), kClientSize);

    x.requestClose(window);
    const qint64 ms = msUntilExit(session.program());
    VERIFY_CLEAN_EXIT(session, ms);
}

void WindowOnXTest::pointersFollowTheControls()
{
    START_DRILL(session);
    Pupil pupil(session);
    const struct {
        QPoint at;
        Pointer pointer;
    } places[] = {{board::boxCentre(1), Pointer::WritingHand},
                  {board::boxCentre(20), Pointer::WritingHand},
                  {board::boxCentre(21), Pointer::TextBeam},
                  {board::boxCentre(40), Pointer::TextBeam},
                  {board::kChalkBox.center(), Pointer::PointingHand},
                  {board::kDisc.center(), Pointer::PointingHand},
                  {QPoint(396, 300), Pointer::Arrow}};
    for (const auto& place : places) {
        pupil.pointAt(place.at);
        QVERIFY2(pupil.waitForPointer(place.pointer), qPrintable(QStringLiteral("at %1,%2: %3 instead of %4")
                                                                     .arg(place.at.x())
                                                                     .arg(place.at.y())
                                                                     .arg(board::name(pupil.pointer()))
                                                                     .arg(board::name(place.pointer))));
    }
    // The pointing hand's active point is its fingertip.
    pupil.pointAt(board::kDisc.center());
    QVERIFY(pupil.waitForPointer(Pointer::PointingHand));
    QCOMPARE(session.x().cursor().hotSpot, QPoint(12, 1));
}

void WindowOnXTest::discEndsTheProgram()
{
    START_DRILL(session);
    Pupil pupil(session);
    pupil.type(QStringLiteral("4"));
    pupil.clickDisc();
    const qint64 ms = msUntilExit(session.program());
    VERIFY_CLEAN_EXIT(session, ms);
}

void WindowOnXTest::closingTheWindowEndsTheProgram()
{
    START_DRILL(session);
    session.x().sendDeleteWindow(session.window());
    const qint64 ms = msUntilExit(session.program());
    VERIFY_CLEAN_EXIT(session, ms);
}

QTEST_GUILESS_MAIN(WindowOnXTest)
#include "test_e2e_window.moc"
