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
    void init();
    void cleanup();
    void startsWaitingWithTypingInTheFirstBox();
    void chalkBoxDrawsAndWaitsForEveryBox();
    void judgesWhatIsTyped();
    void tabReleaseLandsInTheNextBox();
    void heldDigitIsJudgedOnce();
    void keypadTypesDigits();
    void pastingLeavesTheBoxAsItWas();

private:
    std::optional<XSession> session_;
    std::optional<Pupil> pupil_;
};

namespace {

// An entry as long as the answer that is not the answer.
QString wrongFor(int answer)
{
    return QString::number(answer < 10 ? (answer + 1) % 10 : answer == 20 ? 19 : answer + 1);
}

// Conditions to wait for.
auto inkIs(int box, Ink ink)
{
    return [=](const QImage& shot) { return board::ink(shot, box) == ink; };
}

auto filled(int box)
{
    return [=](const QImage& shot) { return board::ink(shot, box) != Ink::Empty; };
}

} // namespace

// A session of the test's own, with the window up and waiting.
void PupilOnXTest::init()
{
    session_.emplace();
    QVERIFY2(session_->error().isEmpty(), qPrintable(session_->error()));
    pupil_.emplace(*session_);
    QVERIFY2(pupil_->waitForFace(Face::Waiting), "the waiting face never showed");
}

void PupilOnXTest::cleanup()
{
    pupil_.reset();
    session_.reset();
}

void PupilOnXTest::startsWaitingWithTypingInTheFirstBox()
{
    QCOMPARE(board::numberedHeaders(pupil_->look()), 0);
    pupil_->type(QStringLiteral("5"));
    QVERIFY2(pupil_->waitFor(inkIs(1, Ink::DarkBlue)), "a digit typed without a click did not reach Text1");
    const QImage shot = pupil_->settle();
    // Nothing is judged before the first exercise.
    QCOMPARE(board::face(shot), Face::Waiting);
    QCOMPARE(board::ink(shot, 2), Ink::Empty);
}

void PupilOnXTest::chalkBoxDrawsAndWaitsForEveryBox()
{
    pupil_->type(QStringLiteral("5"));
    QVERIFY(pupil_->newExercise());
    QVERIFY2(pupil_->waitFor(inkIs(1, Ink::Empty)), "the new exercise left Text1 filled");

    pupil_->type(QStringLiteral("1"));
    QVERIFY(pupil_->waitFor(filled(1)));
    for (int box = 2; box <= 40; ++box) {
        pupil_->clickChalkBox();
        pupil_->tap(XK_Tab);
        if (box < 40)
            pupil_->type(QStringLiteral("1"));
    }
    // With Text40 still empty the chalk box is disabled, so the clicks did nothing.
    QVERIFY(pupil_->roundTrip());
    const QImage shot = pupil_->settle();
    QVERIFY2(filled(1)(shot) && filled(39)(shot), "a disabled chalk box drew an exercise");
    QCOMPARE(board::ink(shot, 40), Ink::Empty);

    pupil_->type(QStringLiteral("1"));
    QVERIFY(pupil_->waitFor(filled(40)));
    pupil_->clickChalkBox();
    QVERIFY2(pupil_->waitFor([](const QImage& shot) { return !filled(1)(shot) && !filled(40)(shot); }),
             "the chalk box did not come back once every box held something");
}

void PupilOnXTest::judgesWhatIsTyped()
{
    QVERIFY(pupil_->newExercise());
    const auto answer = pupil_->discoverAnswer(21);
    QVERIFY2(answer, "no entry in Text21 made the face laugh");
    const QString right = QString::number(*answer);

    pupil_->refocus(21);
    QImage shot = pupil_->typeAndSettle(21, right);
    QCOMPARE(board::face(shot), Face::Right);
    QCOMPARE(board::ink(shot, 21), Ink::DarkBlue);

    // Releasing Shift judges the complete entry again: a later attempt.
    pupil_->tap(XK_Shift_L);
    QVERIFY2(pupil_->waitFor(inkIs(21, Ink::Green)), "a Shift release after a right answer did not turn it green");
    QCOMPARE(board::face(pupil_->look()), Face::Right);

    pupil_->refocus(21);
    shot = pupil_->typeAndSettle(21, wrongFor(*answer));
    QCOMPARE(board::face(shot), Face::Wrong);
    QCOMPARE(board::ink(shot, 21), Ink::Red);

    shot = pupil_->typeAndSettle(21, right);
    QCOMPARE(board::face(shot), Face::Right);
    QCOMPARE(board::ink(shot, 21), Ink::Green);
}

// The Tab press moves the focus and the waiting face comes up; the release
// reaches the next box and judges the entry waiting there.
void PupilOnXTest::tabReleaseLandsInTheNextBox()
{
    QVERIFY(pupil_->newExercise());
    const auto first = pupil_->discoverAnswer(5);
    const auto second = pupil_->discoverAnswer(6);
    QVERIFY(first && second);

    pupil_->refocus(6);
    QCOMPARE(board::face(pupil_->typeAndSettle(6, wrongFor(*second))), Face::Wrong);
    pupil_->refocus(5);
    QCOMPARE(board::face(pupil_->typeAndSettle(5, QString::number(*first))), Face::Right);

    pupil_->tap(XK_Tab);
    QVERIFY2(pupil_->waitForFace(Face::Wrong), "the Tab release did not judge Text6");
    pupil_->tap(XK_Tab, {XK_Shift_L});
    QVERIFY2(pupil_->waitForFace(Face::Right), "the Shift+Tab release did not judge Text5");
}

void PupilOnXTest::heldDigitIsJudgedOnce()
{
    QVERIFY(pupil_->newExercise());
    const int box = pupil_->firstBoxAnswering(1);
    QVERIFY2(box > 0, "no box has a one-digit answer");
    const auto answer = pupil_->discoverAnswer(box);
    QVERIFY(answer);

    pupil_->refocus(box);
    QVERIFY(pupil_->roundTrip());
    const auto key = static_cast<XSession::KeySym>(XK_0 + *answer);
    session_->key(key, true);
    // Held past X's auto-repeat delay of 660 ms while the pupil keeps looking
    // at the board, as a busy screen keeps the server busy.
    pupil_->keepLooking(1500);
    session_->key(key, false);
    QVERIFY(pupil_->roundTrip());
    const QImage shot = pupil_->settle();
    QCOMPARE(board::face(shot), Face::Right);
    QCOMPARE(board::ink(shot, box), Ink::DarkBlue);
}

void PupilOnXTest::keypadTypesDigits()
{
    QVERIFY(pupil_->newExercise());
    const auto answer = pupil_->discoverAnswer(1);
    QVERIFY(answer);

    session_->setNumLock(true);
    pupil_->refocus(1);
    const QImage shot = pupil_->typeAndSettle(1, QString::number(*answer), true);
    QCOMPARE(board::face(shot), Face::Right);
    QCOMPARE(board::ink(shot, 1), Ink::DarkBlue);
}

// Half of a two-digit answer in the box; a paste that got through would add
// to it, and Ctrl+V typed as a character would not empty it either.
void PupilOnXTest::pastingLeavesTheBoxAsItWas()
{
    QVERIFY(pupil_->newExercise());
    const int box = pupil_->firstBoxAnswering(2);
    QVERIFY2(box > 0, "no box has a two-digit answer");
    QVERIFY(session_->offerSelection("PRIMARY", QStringLiteral("7")));
    QVERIFY(session_->offerSelection("CLIPBOARD", QStringLiteral("7")));
    const QImage before = pupil_->settle().copy(board::boxRect(box));

    pupil_->clickAt(board::boxRect(box).center(), 2);
    pupil_->tap(XK_Insert, {XK_Shift_L});
    pupil_->tap(XK_v, {XK_Control_L});
    QVERIFY(pupil_->roundTrip());
    const QImage shot = pupil_->settle();
    QVERIFY2(board::sameButCaret(shot.copy(board::boxRect(box)), before), "a paste changed the box");
    QCOMPARE(board::face(shot), Face::Waiting);
}

QTEST_GUILESS_MAIN(PupilOnXTest)
#include "test_e2e_pupil.moc"
