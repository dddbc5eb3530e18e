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

QStringList memcheck(const QString& log)
{
    return {QStringLiteral("valgrind"), QStringLiteral("--tool=memcheck"), QStringLiteral("--leak-check=full"),
            QStringLiteral("--show-leak-kinds=definite"), QStringLiteral("--error-exitcode=%1").arg(kMemcheckFailure),
            QStringLiteral("--suppressions=%1").arg(QStringLiteral(VENDARO_VALGRIND_SUPPRESSIONS)),
            QStringLiteral("--num-callers=30"),
            // Qt's D-Bus library forks to look for a session bus; the copy is not the drill.
            QStringLiteral("--child-silent-after-fork=yes"), QStringLiteral("--log-file=%1").arg(log)};
}

QString report(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

// The definitely lost blocks allocated on a path through the drill's own code.
// A block that only main() leads to was lost inside a library's event loop.
QStringList leaksOfOurs(const QString& report)
{
    static const QRegularExpression ourFrame(
        QStringLiteral(R"(: (?!main \()\S.*(\((?!in )[^)]*\.(cpp|h):\d+\)|\(in [^)]*/vendaro\))$)"));
    QStringList ours;
    for (const QString& record : report.split(QRegularExpression(QStringLiteral(R"(\n==\d+== ?\n)")))) {
        if (!record.contains(QStringLiteral("definitely lost in loss record")))
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
    XSession session(XSession::WindowManager::None, memcheck(log));
    QVERIFY2(session.error().isEmpty(), qPrintable(session.error()));
    Pupil pupil(session);
    QVERIFY(pupil.waitFor([](const QImage& shot) { return board::face(shot) == board::Face::Waiting; }, kSlowMs));

    pupil.type(QStringLiteral("42"));
    pupil.clickChalkBox();
    QVERIFY(pupil.waitFor([](const QImage& shot) { return board::showsDigits(shot, board::labelRect(2)); }, kSlowMs));
    for (const QString& entry :
         {QStringLiteral("12"), QStringLiteral("7"), QStringLiteral("30"), QStringLiteral("5")}) {
        pupil.type(entry);
        pupil.tap(XK_Tab);
    }
    pupil.tap(XK_Tab, {XK_Shift_L});
    pupil.tap(XK_BackSpace);
    pupil.tap(XK_v, {XK_Control_L});
    pupil.clickAt(board::boxCentre(23), 2);
    pupil.clickBox(31);
    pupil.type(QStringLiteral("9"));
    pupil.clickDisc();

    QVERIFY2(session.program().waitForFinished(kSlowMs), "the drill did not end under memcheck");
    const QString text = report(log);
    QVERIFY2(session.program().exitCode() != kMemcheckFailure, qPrintable(text));
    QCOMPARE(session.program().exitCode(), 0);
    const QStringList leaks = leaksOfOurs(text);
    QVERIFY2(leaks.isEmpty(), qPrintable(leaks.join(u'\n')));
    qInfo("%s", qPrintable(report(log).section(QStringLiteral("LEAK SUMMARY"), -1)));
}

QTEST_GUILESS_MAIN(MemcheckTest)
#include "test_e2e_memcheck.moc"
