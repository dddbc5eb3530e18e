#include "e2e/pupil.h"

#include <QtTest>

#include <X11/keysym.h>

using board::Face;
using board::Ink;

// The drill on a real X server, typed at through the keyboard path X gives
// it and read from the screen. The expected answers are found as a pupil
// would find them: by trying and watching the face.
class PupilOnXTest : public QObject {
    Q_OBJECT

private slots:
    void startsWaitingWithTypingInTheFirstBox();
    void chalkBoxDrawsAndWaitsForEveryBox();
    void judgesWhatIsTyped();
    void tabReleaseLandsInTheNextBox();
    void heldDigitIsJudgedOnce();
    void keypadTypesDigits();
    void pastingLeavesTheBoxAsItWas();
};

namespace {

bool headersShowNumbers(const QImage& shot, bool shown)
{
    for (int label = 2; label <= 20; ++label)
        if (label != 11 && board::showsDigits(shot, board::labelRect(label)) != shown)
            return false;
    return true;
}

// An entry as long as the answer that is not the answer.
QString wrongFor(int answer)
{
    return QString::number(answer < 10 ? (answer + 1) % 10 : answer == 20 ? 19 : answer + 1);
}

// The first box whose answer has `digits` digits, left holding one digit; 0 if none has.
int firstBoxAnswering(Pupil& pupil, int digits)
{
    for (int box = 1; box <= 40; ++box)
        if (pupil.answerLength(box) == digits)
            return box;
    return 0;
}

} // namespace

#define START_DRILL(session, pupil)                                                                                    \
    XSession session;                                                                                                  \
    QVERIFY2(session.error().isEmpty(), qPrintable(session.error()));                                                  \
    Pupil pupil(session);                                                                                              \
    QVERIFY2(pupil.waitForFace(Face::Waiting), "the waiting face never showed")

#define NEW_EXERCISE(pupil)                                                                                            \
    pupil.clickChalkBox();                                                                                             \
    QVERIFY2(pupil.waitFor([](const QImage& shot) { return headersShowNumbers(shot, true); }),                         \
             "the headers never showed numbers")

void PupilOnXTest::startsWaitingWithTypingInTheFirstBox()
{
    START_DRILL(session, pupil);
    QVERIFY(headersShowNumbers(pupil.look(), false));

    pupil.type(QStringLiteral("5"));
    QVERIFY2(pupil.waitFor([](const QImage& shot) { return board::ink(shot, 1) == Ink::DarkBlue; }),
             "a digit typed without a click did not reach Text1");
    const QImage shot = pupil.settle();
    // Nothing is judged before the first exercise.
    QCOMPARE(board::name(board::face(shot)), board::name(Face::Waiting));
    QCOMPARE(board::name(board::ink(shot, 2)), board::name(Ink::Empty));
}

void PupilOnXTest::chalkBoxDrawsAndWaitsForEveryBox()
{
    START_DRILL(session, pupil);
    pupil.type(QStringLiteral("5"));
    NEW_EXERCISE(pupil);
    QVERIFY2(pupil.waitFor([](const QImage& shot) { return board::ink(shot, 1) == Ink::Empty; }),
             "the new exercise left Text1 filled");

    pupil.type(QStringLiteral("1"));
    const auto typedInFirst = [](const QImage& shot) { return board::ink(shot, 1) != Ink::Empty; };
    QVERIFY(pupil.waitFor(typedInFirst));
    for (int box = 2; box <= 40; ++box) {
        pupil.clickChalkBox();
        pupil.tap(XK_Tab);
        if (box < 40)
            pupil.type(QStringLiteral("1"));
    }
    // With Text40 still empty the chalk box is disabled, so the clicks did nothing.
    QVERIFY(pupil.roundTrip());
    QImage shot = pupil.settle();
    QVERIFY2(typedInFirst(shot) && board::ink(shot, 39) != Ink::Empty, "a disabled chalk box drew an exercise");
    QCOMPARE(board::name(board::ink(shot, 40)), board::name(Ink::Empty));

    pupil.type(QStringLiteral("1"));
    QVERIFY(pupil.waitFor([](const QImage& shot) { return board::ink(shot, 40) != Ink::Empty; }));
    pupil.clickChalkBox();
    QVERIFY2(pupil.waitFor([](const QImage& shot) {
        return board::ink(shot, 1) == Ink::Empty && board::ink(shot, 40) == Ink::Empty;
    }),
             "the chalk box did not come back once every box held something");
}

void PupilOnXTest::judgesWhatIsTyped()
{
    START_DRILL(session, pupil);
    NEW_EXERCISE(pupil);
    const auto answer = pupil.discoverAnswer(21);
    QVERIFY2(answer, "no entry in Text21 made the face laugh");
    const QString right = QString::number(*answer);

    pupil.refocus(21);
    QImage shot = pupil.typeAndSettle(21, right);
    QCOMPARE(board::name(board::face(shot)), board::name(Face::Right));
    QCOMPARE(board::name(board::ink(shot, 21)), board::name(Ink::DarkBlue));

    // Releasing Shift judges the complete entry again: a later attempt.
    pupil.tap(XK_Shift_L);
    QVERIFY2(pupil.waitFor([](const QImage& shot) { return board::ink(shot, 21) == Ink::Green; }),
             "a Shift release after a right answer did not turn it green");
    QCOMPARE(board::name(pupil.face()), board::name(Face::Right));

    pupil.refocus(21);
    shot = pupil.typeAndSettle(21, wrongFor(*answer));
    QCOMPARE(board::name(board::face(shot)), board::name(Face::Wrong));
    QCOMPARE(board::name(board::ink(shot, 21)), board::name(Ink::Red));

    shot = pupil.typeAndSettle(21, right);
    QCOMPARE(board::name(board::face(shot)), board::name(Face::Right));
    QCOMPARE(board::name(board::ink(shot, 21)), board::name(Ink::Green));
}

// The Tab press moves the focus and the waiting face comes up; the release
// reaches the next box and judges the entry waiting there.
void PupilOnXTest::tabReleaseLandsInTheNextBox()
{
    START_DRILL(session, pupil);
    NEW_EXERCISE(pupil);
    const auto first = pupil.discoverAnswer(5);
    const auto second = pupil.discoverAnswer(6);
    QVERIFY(first && second);

    pupil.refocus(6);
    QCOMPARE(board::name(board::face(pupil.typeAndSettle(6, wrongFor(*second)))), board::name(Face::Wrong));
    pupil.refocus(5);
    QCOMPARE(board::name(board::face(pupil.typeAndSettle(5, QString::number(*first)))), board::name(Face::Right));

    pupil.tap(XK_Tab);
    QVERIFY2(pupil.waitForFace(Face::Wrong), "the Tab release did not judge Text6");

    pupil.tap(XK_Tab, {XK_Shift_L});
    QVERIFY2(pupil.waitForFace(Face::Right), "the Shift+Tab release did not judge Text5");
}

void PupilOnXTest::heldDigitIsJudgedOnce()
{
    START_DRILL(session, pupil);
    NEW_EXERCISE(pupil);
    const int box = firstBoxAnswering(pupil, 1);
    QVERIFY2(box > 0, "no box has a one-digit answer");
    const auto answer = pupil.discoverAnswer(box);
    QVERIFY(answer);

    pupil.refocus(box);
    QVERIFY(pupil.roundTrip());
    const auto key = static_cast<XClient::KeySym>(XK_0 + *answer);
    session.x().key(key, true);
    // Held past X's auto-repeat delay of 660 ms while the pupil keeps looking
    // at the board, as a busy screen keeps the server busy.
    pupil.keepLooking(1500);
    session.x().key(key, false);
    QVERIFY(pupil.roundTrip());
    const QImage shot = pupil.settle();
    QCOMPARE(board::name(board::face(shot)), board::name(Face::Right));
    QCOMPARE(board::name(board::ink(shot, box)), board::name(Ink::DarkBlue));
}

void PupilOnXTest::keypadTypesDigits()
{
    START_DRILL(session, pupil);
    NEW_EXERCISE(pupil);
    const auto answer = pupil.discoverAnswer(1);
    QVERIFY(answer);

    session.x().setNumLock(true);
    pupil.refocus(1);
    const QImage shot = pupil.typeAndSettle(1, QString::number(*answer), true);
    QCOMPARE(board::name(board::face(shot)), board::name(Face::Right));
    QCOMPARE(board::name(board::ink(shot, 1)), board::name(Ink::DarkBlue));
}

// Half of a two-digit answer in the box; a paste that got through would add
// to it, and Ctrl+V typed as a character would not empty it either.
void PupilOnXTest::pastingLeavesTheBoxAsItWas()
{
    START_DRILL(session, pupil);
    NEW_EXERCISE(pupil);
    const int box = firstBoxAnswering(pupil, 2);
    QVERIFY2(box > 0, "no box has a two-digit answer");
    QVERIFY(session.offerSelection("PRIMARY", QStringLiteral("7")));
    QVERIFY(session.offerSelection("CLIPBOARD", QStringLiteral("7")));
    const QImage before = pupil.settle().copy(board::boxRect(box));

    pupil.clickAt(board::boxCentre(box), 2);
    pupil.tap(XK_Insert, {XK_Shift_L});
    pupil.tap(XK_v, {XK_Control_L});
    QVERIFY(pupil.roundTrip());
    const QImage shot = pupil.settle();
    QVERIFY2(board::sameButCaret(shot.copy(board::boxRect(box)), before), "a paste changed the box");
    QCOMPARE(board::name(board::face(shot)), board::name(Face::Waiting));
}

QTEST_GUILESS_MAIN(PupilOnXTest)
#include "test_e2e_pupil.moc"
