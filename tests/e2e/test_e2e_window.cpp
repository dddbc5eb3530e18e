#include "e2e/pupil.h"

#include <QElapsedTimer>
#include <QtTest>

using board::Pointer;

// The drill's window as the X server and a window manager see it, its
// pointers, and the two ways to end it.
class WindowOnXTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { session_.reset(); }
    void windowAsTheDesktopSeesIt();
    void windowManagerOffersOnlyClosing();
    void pointersFollowTheControls();
    void discEndsTheProgram();
    void closingTheWindowEndsTheProgram();

private:
    void verifyEndsWithinASecond();

    std::optional<XSession> session_;
};

const QSize kClientSize{792, 566};

// A session of the test's own; only the test of what a window manager offers runs one.
void WindowOnXTest::init()
{
    const bool manager = qstrcmp(QTest::currentTestFunction(), "windowManagerOffersOnlyClosing") == 0;
    session_.emplace(manager ? XSession::WindowManager::Xfwm4 : XSession::WindowManager::None);
    QVERIFY2(session_->error().isEmpty(), qPrintable(session_->error()));
}

// Waits for the drill to end by itself: within a second, and with status 0.
void WindowOnXTest::verifyEndsWithinASecond()
{
    QProcess& program = session_->program();
    QElapsedTimer clock;
    clock.start();
    program.waitForFinished(5000);
    const qint64 ms = clock.elapsed();
    QVERIFY2(program.state() == QProcess::NotRunning, "the drill did not end");
    QVERIFY2(ms <= 1000, qPrintable(QStringLiteral("the drill took %1 ms to end").arg(ms)));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QVERIFY2(program.exitCode() == 0, qPrintable(session_->programOutput()));
}

void WindowOnXTest::windowAsTheDesktopSeesIt()
{
    XSession& x = *session_;
    const QString title = QStringLiteral("ZENTARI   QUORVO    Addizioni e Sottrazioni in tabella");
    QCOMPARE(x.text("_NET_WM_NAME"), title);
    QCOMPARE(x.text("WM_NAME"), title);

    const QRect client = session_->client();
    QCOMPARE(client.size(), kClientSize);
    QCOMPARE(x.minimumAndMaximumSize(), std::pair(kClientSize, kClientSize));
    const QSize free = x.screenSize() - kClientSize;
    QVERIFY2(qAbs(client.x() - free.width() / 2) <= 1 && qAbs(client.y() - free.height() / 2) <= 1,
             qPrintable(QStringLiteral("window at %1,%2").arg(client.x()).arg(client.y())));

    // Motif hints: flags, functions, decorations. With functions given (flag 1),
    // close (32) is among them, minimise (8) and maximise (16) are not.
    const auto motif = x.cardinals("_MOTIF_WM_HINTS");
    QVERIFY(motif.size() >= 3 && (motif[0] & 1));
    QCOMPARE(motif[1] & (8 | 16 | 32), 32ul);

    // The program icon: a white window with a cyan title bar, outlined in black.
    const QImage icon = x.largestIcon();
    const auto pixels = [&](QRgb colour) { return board::countNear(icon, icon.rect(), colour); };
    QVERIFY(pixels(0x00FFFF) > 0 && pixels(0x000000) > 0);
    QVERIFY(pixels(0xFFFFFF) > pixels(0x00FFFF));
}

// A window manager that reads the hints offers closing but neither
// minimising, maximising nor resizing, and holds the size against requests.
void WindowOnXTest::windowManagerOffersOnlyClosing()
{
    XSession& x = *session_;
    QStringList actions;
    QTRY_VERIFY((actions = x.atomNames("_NET_WM_ALLOWED_ACTIONS")).contains("_NET_WM_ACTION_CLOSE"));
    for (const char* refused : {"_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ",
                                "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_RESIZE"})
        QVERIFY2(!actions.contains(QLatin1String(refused)), refused);

    // The move is granted, which shows the request was handled; the size is not.
    const QPoint placed = session_->client().topLeft();
    x.requestMoveResize(QRect(placed + QPoint(40, 30), QSize(1000, 700)));
    QTRY_VERIFY(x.geometry().topLeft() != placed);
    QCOMPARE(x.geometry().size(), kClientSize);

    x.requestClose();
    verifyEndsWithinASecond();
}

void WindowOnXTest::pointersFollowTheControls()
{
    Pupil pupil(*session_);
    const std::pair<QPoint, Pointer> places[] = {{board::boxRect(1).center(), Pointer::WritingHand},
                                                 {board::boxRect(20).center(), Pointer::WritingHand},
                                                 {board::boxRect(21).center(), Pointer::TextBeam},
                                                 {board::boxRect(40).center(), Pointer::TextBeam},
                                                 {board::kChalkBox.center(), Pointer::PointingHand},
                                                 {board::kDisc.center(), Pointer::PointingHand},
                                                 {QPoint(396, 300), Pointer::Arrow}};
    for (const auto& [at, expected] : places) {
        pupil.pointAt(at);
        QVERIFY2(pupil.waitForPointer(expected), qPrintable(QStringLiteral("at %1,%2: %3 instead of %4")
                                                                .arg(at.x())
                                                                .arg(at.y())
                                                                .arg(QVariant::fromValue(pupil.pointer()).toString(),
                                                                     QVariant::fromValue(expected).toString())));
    }
    // The pointing hand's active point is its fingertip.
    pupil.pointAt(board::kDisc.center());
    QVERIFY(pupil.waitForPointer(Pointer::PointingHand));
    QCOMPARE(session_->cursor().hotSpot, QPoint(12, 1));
}

void WindowOnXTest::discEndsTheProgram()
{
    Pupil pupil(*session_);
    pupil.type(QStringLiteral("4"));
    pupil.clickDisc();
    verifyEndsWithinASecond();
}

void WindowOnXTest::closingTheWindowEndsTheProgram()
{
    session_->sendDeleteWindow();
    verifyEndsWithinASecond();
}

QTEST_GUILESS_MAIN(WindowOnXTest)
#include "test_e2e_window.moc"
