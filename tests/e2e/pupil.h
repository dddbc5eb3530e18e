#pragma once

#include "e2e/board_reading.h"
#include "e2e/x_session.h"

#include <functional>
#include <optional>
#include <vector>

// A pupil at the X session's keyboard and mouse: looks at the board, clicks,
// types, and waits for the window to answer. Waiting is always polling the
// screen against a deadline, never sleeping for a fixed time.
class Pupil {
public:
    explicit Pupil(XSession& session) : session_(session), x_(session.x()) {}

    QImage look();
    board::Face face() { return board::face(look()); }
    board::Ink ink(int box) { return board::ink(look(), box); }

    void clickAt(QPoint inClient, int button = 1);
    void clickBox(int box) { clickAt(board::boxCentre(box)); }
    void clickChalkBox() { clickAt(board::kChalkBox.center()); }
    void clickDisc() { clickAt(board::kDisc.center()); }
    void pointAt(QPoint inClient) { x_.moveTo(session_.toRoot(inClient)); }

    void type(const QString& digits, bool keypad = false);
    void tap(XClient::KeySym key, const std::vector<XClient::KeySym>& held = {}) { x_.tap(key, held); }

    board::Pointer pointer();
    bool waitForPointer(board::Pointer pointer);
    // Every event sent so far has been handled once the window has changed
    // the pointer for a later one: X hands a client its events in order.
    bool roundTrip();

    bool waitFor(const std::function<bool(const QImage&)>& condition, int timeoutMs = 5000);
    bool waitForFace(board::Face face);
    // Takes screenshot after screenshot for a while, keeping the X server busy.
    void keepLooking(int ms);
    // For checks that something did not happen: waits until the screen has
    // stayed the same, the caret aside, for a quarter of a second.
    QImage settle();
    // Types into the focused box and waits until the box shows it and the
    // window has nothing more to draw.
    QImage typeAndSettle(int box, const QString& digits, bool keypad = false);

    // Leaves the box empty: End puts the caret after the digits, and one
    // backspace empties a box whether it held a whole answer or half of one.
    void empty(int box);
    // Visits the box afresh, so that the next judged entry is a first attempt.
    void refocus(int box);
    // Digits of the box's answer, told by whether one digit is judged. Leaves
    // the box holding that digit.
    int answerLength(int box);
    // Finds the answer of a box by trying entries and watching the face, as
    // a pupil who cannot add might. Leaves the box holding its answer.
    std::optional<int> discoverAnswer(int box);

private:
    struct Attempt {
        QString typed;
        int answer; // what the box holds once `typed` is in
    };

    std::optional<int> tryAnswers(int box, const std::vector<Attempt>& attempts);

    XSession& session_;
    XClient& x_;
};
