#pragma once

#include "e2e/board_reading.h"
#include "e2e/x_session.h"

#include <functional>
#include <optional>

// A pupil at the X session's keyboard and mouse: looks at the board, clicks,
// types, and waits for the window to answer. Waiting is always polling the
// screen against a deadline, never sleeping for a fixed time.
class Pupil {
public:
    explicit Pupil(XSession& session) : session_(session) {}

    QImage look() { return session_.grab(session_.client()); }
    board::Pointer pointer();

    void pointAt(QPoint inClient) { session_.moveTo(session_.toRoot(inClient)); }
    void clickAt(QPoint inClient, int button = 1);
    void clickBox(int box) { clickAt(board::boxRect(box).center()); }
    void clickChalkBox() { clickAt(board::kChalkBox.center()); }
    void clickDisc() { clickAt(board::kDisc.center()); }
    void type(const QString& digits, bool keypad = false);
    void tap(XSession::KeySym key, const std::vector<XSession::KeySym>& held = {}) { session_.tap(key, held); }

    bool waitFor(const std::function<bool(const QImage&)>& condition, int timeoutMs = 5000);
    bool waitForFace(board::Face face, int timeoutMs = 5000);
    bool waitForPointer(board::Pointer pointer);
    // Clicks the chalk box and waits until every header shows a number.
    bool newExercise(int timeoutMs = 5000);
    // Every event sent so far has been handled once the window has changed
    // the pointer for a later one: X hands a client its events in order.
    bool roundTrip();
    // Takes screenshot after screenshot for a while, keeping the X server busy.
    void keepLooking(int ms);
    // For checks that something did not happen: waits until the screen has
    // stayed the same, the caret aside, for a quarter of a second.
    QImage settle();
    // Types into the focused box and waits until the box shows it and the
    // window has nothing more to draw.
    QImage typeAndSettle(int box, const QString& digits, bool keypad = false);

    // Visits the box afresh, so that the next judged entry is a first attempt.
    void refocus(int box);
    // The first box whose answer has `digits` digits, told by whether one
    // digit is judged, left holding that digit; 0 if there is none.
    int firstBoxAnswering(int digits);
    // Finds the answer of a box by trying entries and watching the face, as
    // a pupil who cannot add might. Leaves the box holding its answer.
    std::optional<int> discoverAnswer(int box);

private:
    // Empties the box (End, then one backspace for half an answer or a whole
    // one), visits it afresh and types "1": the face that shows then.
    board::Face faceAfterOne(int box);

    XSession& session_;
};
