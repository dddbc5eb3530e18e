#include "e2e/pupil.h"

#include <QElapsedTimer>
#include <QtCore/qtestsupport_core.h>

#include <X11/keysym.h>

using board::Face;

void Pupil::clickAt(QPoint inClient, int button)
{
    pointAt(inClient);
    session_.click(button);
}

void Pupil::type(const QString& digits, bool keypad)
{
    for (const QChar digit : digits)
        session_.tap(static_cast<XSession::KeySym>((keypad ? XK_KP_0 : XK_0) + digit.digitValue()));
}

board::Pointer Pupil::pointer()
{
    const XSession::Cursor cursor = session_.cursor();
    return board::pointer(cursor.image, cursor.name);
}

bool Pupil::waitFor(const std::function<bool(const QImage&)>& condition, int timeoutMs)
{
    return QTest::qWaitFor([&] { return condition(look()); }, timeoutMs);
}

bool Pupil::waitForFace(Face face, int timeoutMs)
{
    return waitFor([face](const QImage& shot) { return board::face(shot) == face; }, timeoutMs);
}

bool Pupil::waitForPointer(board::Pointer wanted)
{
    return QTest::qWaitFor([&] { return pointer() == wanted; });
}

bool Pupil::newExercise(int timeoutMs)
{
    clickChalkBox();
    return waitFor([](const QImage& shot) { return board::numberedHeaders(shot) == 18; }, timeoutMs);
}

bool Pupil::roundTrip()
{
    pointAt(board::kDisc.center());
    if (!waitForPointer(board::Pointer::PointingHand))
        return false;
    pointAt({396, 300}); // between the two tables, where only the board is
    return waitForPointer(board::Pointer::Arrow);
}

void Pupil::keepLooking(int ms)
{
    for (const QDeadlineTimer deadline(ms); !deadline.hasExpired();)
        look();
}

QImage Pupil::settle()
{
    QImage last = look();
    QElapsedTimer quiet;
    quiet.start();
    const auto quietLongEnough = [&] {
        if (QImage shot = look(); !board::sameButCaret(shot, last)) {
            last = shot;
            quiet.restart();
        }
        return quiet.elapsed() >= 250;
    };
    (void)QTest::qWaitFor(quietLongEnough); // what still changes is for the caller's checks to find
    return last;
}

QImage Pupil::typeAndSettle(int box, const QString& digits, bool keypad)
{
    const QRect area = board::boxRect(box);
    const QImage before = look().copy(area);
    type(digits, keypad);
    waitFor([&](const QImage& shot) { return !board::sameButCaret(shot.copy(area), before); });
    return settle();
}

void Pupil::refocus(int box)
{
    clickBox(box == 1 ? 2 : 1);
    clickBox(box);
}

Face Pupil::faceAfterOne(int box)
{
    clickBox(box);
    session_.tap(XK_End);
    session_.tap(XK_BackSpace);
    refocus(box);
    return board::face(typeAndSettle(box, QStringLiteral("1")));
}

int Pupil::firstBoxAnswering(int digits)
{
    for (int box = 1; box <= 40; ++box)
        if ((faceAfterOne(box) == Face::Waiting ? 2 : 1) == digits)
            return box;
    return 0;
}

std::optional<int> Pupil::discoverAnswer(int box)
{
    const auto right = [&](int typed) {
        return board::face(typeAndSettle(box, QString::number(typed))) == Face::Right;
    };
    switch (faceAfterOne(box)) {
    case Face::Right:
        return 1;
    case Face::Wrong:
        for (int digit = 0; digit <= 9; ++digit)
            if (digit != 1 && right(digit))
                return digit;
        break;
    case Face::Waiting:
        // Not judged after one digit: the answer has two, from 10 to 20, and
        // the "1" already typed begins the first try.
        if (right(0))
            return 10;
        for (int answer = 11; answer <= 20; ++answer)
            if (right(answer))
                return answer;
        break;
    case Face::None:
        break;
    }
    return std::nullopt;
}
