#include "e2e/pupil.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QThread>

#include <X11/keysym.h>

namespace {

constexpr int kPollMs = 25;
constexpr int kQuietMs = 250;
constexpr int kSettleTimeoutMs = 5000;
// Between the two tables, where only the board is.
constexpr QPoint kBareBoard{396, 300};

} // namespace

QImage Pupil::look() { return x_.grab(session_.client()); }

void Pupil::clickAt(QPoint inClient, int button)
{
    pointAt(inClient);
    x_.click(button);
}

void Pupil::type(const QString& digits, bool keypad)
{
    for (const QChar digit : digits)
        x_.tap(static_cast<XClient::KeySym>((keypad ? XK_KP_0 : XK_0) + digit.digitValue()));
}

board::Pointer Pupil::pointer()
{
    const XClient::Cursor cursor = x_.cursor();
    return board::pointer(cursor.image, cursor.name);
}

bool Pupil::waitForPointer(board::Pointer wanted)
{
    const QDeadlineTimer deadline(kSettleTimeoutMs);
    while (pointer() != wanted) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(kPollMs);
    }
    return true;
}

bool Pupil::roundTrip()
{
    pointAt(board::kDisc.center());
    if (!waitForPointer(board::Pointer::PointingHand))
        return false;
    pointAt(kBareBoard);
    return waitForPointer(board::Pointer::Arrow);
}

bool Pupil::waitFor(const std::function<bool(const QImage&)>& condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition(look())) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(kPollMs);
    }
    return true;
}

bool Pupil::waitForFace(board::Face face)
{
    return waitFor([face](const QImage& shot) { return board::face(shot) == face; });
}

void Pupil::keepLooking(int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        look();
}

QImage Pupil::settle()
{
    const QDeadlineTimer deadline(kSettleTimeoutMs);
    QImage last = look();
    QElapsedTimer quiet;
    quiet.start();
    while (quiet.elapsed() < kQuietMs && !deadline.hasExpired()) {
        QThread::msleep(kPollMs);
        QImage shot = look();
        if (!board::sameButCaret(shot, last)) {
            last = shot;
            quiet.restart();
        }
    }
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

void Pupil::empty(int box)
{
    clickBox(box);
    x_.tap(XK_End);
    x_.tap(XK_BackSpace);
}

int Pupil::answerLength(int box)
{
    empty(box);
    refocus(box);
    return board::face(typeAndSettle(box, QStringLiteral("1"))) == board::Face::Waiting ? 2 : 1;
}

std::optional<int> Pupil::discoverAnswer(int box)
{
    empty(box);
    refocus(box);
    std::vector<Attempt> attempts;
    switch (board::face(typeAndSettle(box, QStringLiteral("1")))) {
    case board::Face::Right:
        return 1;
    case board::Face::Wrong:
        for (int digit = 0; digit <= 9; ++digit)
            if (digit != 1)
                attempts.push_back({QString::number(digit), digit});
        break;
    case board::Face::Waiting:
        // Not judged after one digit: the answer has two, from 10 to 20, and
        // the "1" already typed begins the first try.
        attempts.push_back({QStringLiteral("0"), 10});
        for (int answer = 11; answer <= 20; ++answer)
            attempts.push_back({QString::number(answer), answer});
        break;
    case board::Face::None:
        break;
    }
    return tryAnswers(box, attempts);
}

std::optional<int> Pupil::tryAnswers(int box, const std::vector<Attempt>& attempts)
{
    for (const Attempt& attempt : attempts)
        if (board::face(typeAndSettle(box, attempt.typed)) == board::Face::Right)
            return attempt.answer;
    return std::nullopt;
}
