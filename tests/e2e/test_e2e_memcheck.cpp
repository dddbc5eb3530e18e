#include "e2e/pupil.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <X11/keysym.h>

// A scripted session of the real program under valgrind's memcheck: start,
// typing before and after a new exercise, Tab and Shift+Tab, paste attempts,
// the disc. Memcheck turns any memory error into the exit code; a block lost
// on a path through our own code fails the test.
class MemcheckTest : public QObject {
    Q_OBJECT

private slots:
    void sessionLosesNoMemoryOfOurs();
};

namespace {

constexpr int kMemcheckFailure = 97;
constexpr int kSlowMs = 60000;

// The definitely lost blocks allocated on a path through the drill's own code.
// A block that only main() leads to was lost inside a library's event loop.
QStringList leaksOfOurs(const QString& report)
{
    static const QRegularExpression ourFrame(
        QStringLiteral(R"(: (?!main \()\S.*(\((?!in )[^)]*\.(cpp|h):\d+\)|\(in [^)]*/vendaro\))$)"));
    QStringList ours;
    for (const QString& record : report.split(QRegularExpression(QStringLiteral(R"(\n==\d+== ?\n)")))) {
        if (!record.contains(u"definitely lost in loss record"))
            continue;
        for (const QString& line : record.split(u'\n'))
            if (ourFrame.match(line).hasMatch())
                ours << record;
    }
    ours.removeDuplicates();
    return ours;
}

} // namespace

void MemcheckTest::sessionLosesNoMemoryOfOurs()
{
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("memcheck.log"));
    // Qt's D-Bus library forks to look for a session bus; the copy is not the drill.
    const QStringList memcheck = QStringLiteral("valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite "
                                                "--num-callers=30 --child-silent-after-fork=yes")
                                     .split(u' ') +
                                 QStringList{"--suppressions=" VENDARO_VALGRIND_SUPPRESSIONS, "--log-file=" + log,
                                             QStringLiteral("--error-exitcode=%1").arg(kMemcheckFailure)};
    XSession session(XSession::WindowManager::None, memcheck);
    QVERIFY2(session.error().isEmpty(), qPrintable(session.error()));
    Pupil pupil(session);
    QVERIFY(pupil.waitForFace(board::Face::Waiting, kSlowMs));

    pupil.type(QStringLiteral("42"));
    QVERIFY(pupil.newExercise(kSlowMs));
    for (const QString& entry :
         {QStringLiteral("12"), QStringLiteral("7"), QStringLiteral("30"), QStringLiteral("5")}) {
        pupil.type(entry);
        pupil.tap(XK_Tab);
    }
    pupil.tap(XK_Tab, {XK_Shift_L});
    pupil.tap(XK_BackSpace);
    pupil.tap(XK_v, {XK_Control_L});
    pupil.clickAt(board::boxRect(23).center(), 2);
    pupil.clickBox(31);
    pupil.type(QStringLiteral("9"));
    pupil.clickDisc();

    QVERIFY2(session.program().waitForFinished(kSlowMs), "the drill did not end under memcheck");
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString report = QString::fromLocal8Bit(file.readAll());
    QVERIFY2(session.program().exitCode() != kMemcheckFailure, qPrintable(report));
    QCOMPARE(session.program().exitCode(), 0);
    const QStringList leaks = leaksOfOurs(report);
    QVERIFY2(leaks.isEmpty(), qPrintable(leaks.join(u'\n')));
    qInfo("%s", qPrintable(report.section(QStringLiteral("LEAK SUMMARY"), -1)));
}

QTEST_GUILESS_MAIN(MemcheckTest)
#include "test_e2e_memcheck.moc"
