#pragma once

#include "storm_input.h"

#include <QStringView>

#include <algorithm>
#include <array>

// What must hold of the window after every event of the storm. The model
// follows only what the storm did (new exercises, clicks on the disc, key-ups
// in full tables) and checks it against what the window shows.
class StormModel {
public:
    explicit StormModel(QWidget& form) : view_(form) {}

    const StormView& view() const { return view_; }

    int exercises() const { return exercises_; }
    long points() const { return scores_[0] + scores_[1]; }
    long checks() const { return checks_; }

    // What the step should do, judged before it is sent to target. A left
    // press and release on the chalk box draw an exercise while it is enabled;
    // on the disc they end the program.
    void expect(const StormStep& step, const QWidget* target)
    {
        const bool left = step.button == Qt::LeftButton;
        const bool onChalk = target == view_.label[22];
        const bool onDisc = target == view_.label[23];
        newExercise_ = end_ = false;
        if (step.type == QEvent::MouseButtonPress || step.type == QEvent::MouseButtonDblClick) {
            chalkPressed_ = left && onChalk && label22Enabled_;
            discPressed_ = left && onDisc;
        }
        else if (step.type == QEvent::MouseButtonRelease && left) {
            newExercise_ = chalkPressed_ && onChalk && label22Enabled_;
            end_ = discPressed_ && onDisc;
            chalkPressed_ = discPressed_ = false;
        }
        const auto* box = qobject_cast<const QLineEdit*>(target);
        keyUpInBox_ = box && step.type == QEvent::KeyRelease && !step.autoRepeat;
        commitFills_ = box && step.type == QEvent::InputMethod && !step.preedit && commitFills(*box, step.text);
    }

    // The first broken invariant once the step has been handled, or an empty
    // string when all hold.
    QString check(bool ended)
    {
        ++checks_;
        if (ended != end_)
            return ended ? QStringLiteral("the program ended") : QStringLiteral("the disc was ignored");
        if (ended)
            return {};
        if (newExercise_) {
            label22Enabled_ = false;
            ++exercises_;
            scoreAtExercise_ = scores_;
        }
        if (commitFills_ || (keyUpInBox_ && view_.allFilledBut(0)))
            label22Enabled_ = true;
        return invariants();
    }

    QString invariants()
    {
        checks_ += 5; // the boxes, the faces, two score lines, Label22
        for (int n = 1; n <= 40; ++n) {
            const QString text = view_.box[n]->text();
            const auto longest = std::max<qsizetype>(1, view_.answer(n).size());
            if (!digitsOnly(text) || text.size() > longest)
                return QStringLiteral("Text%1 holds \"%2\", at most %3 digits allowed").arg(n).arg(text).arg(longest);
        }
        focusSeen_ = focusSeen_ || view_.focusedBox() != 0;
        int faces = 0;
        for (int n = 3; n <= 5; ++n)
            faces += view_.image[n]->isVisibleTo(&view_.form) ? 1 : 0;
        if (faces > 1 || faces < (focusSeen_ || exercises_ > 0 ? 1 : 0))
            return QStringLiteral("%1 faces visible").arg(faces);
        for (const int table : {0, 1})
            if (QString broken = checkScore(table); !broken.isEmpty())
                return broken;
        if (view_.label[22]->isEnabled() != label22Enabled_)
            return QStringLiteral("Label22 is %1").arg(label22Enabled_ ? "disabled" : "enabled");
        return {};
    }

private:
    static bool digitsOnly(const QString& text)
    {
        return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    }

    // A table's score and total of answers offered: numbers (an empty caption
    // counts as 0), the score never above the total, the total 20 per
    // exercise, the score rising by at most one an event and 20 an exercise.
    QString checkScore(int table)
    {
        const QString name = table == 0 ? QStringLiteral("addition") : QStringLiteral("subtraction");
        const QString scoreText = view_.label[table == 0 ? 25 : 29]->text();
        const QString totalText = view_.label[table == 0 ? 27 : 31]->text();
        if (!digitsOnly(scoreText + totalText))
            return name + QStringLiteral(" score line is not made of numbers");
        const long score = scoreText.toLong();
        const long total = totalText.toLong();
        long& last = scores_[static_cast<std::size_t>(table)];
        QString broken;
        if (score > total)
            broken = QStringLiteral("%1 score %2 above its total %3").arg(name).arg(score).arg(total);
        else if (total != 20L * exercises_)
            broken = QStringLiteral("%1 total %2 after %3 exercises").arg(name).arg(total).arg(exercises_);
        else if (score < last || score > last + 1)
            broken = QStringLiteral("%1 score went from %2 to %3 in one event").arg(name).arg(last).arg(score);
        else if (score - scoreAtExercise_[static_cast<std::size_t>(table)] > 20)
            broken = QStringLiteral("%1 table scored more than 20 points in one exercise").arg(name);
        last = score;
        return broken;
    }

    // A commit types its characters one by one, each with its own key-up, but
    // only the end is seen. With the other 39 boxes full, replay the box's
    // length to learn whether some key-up found it holding something.
    bool commitFills(const QLineEdit& box, QStringView commit) const
    {
        const int number = view_.focusedBox();
        if (!view_.allFilledBut(number))
            return false;
        const auto answerLength = view_.answer(number).size();
        auto length = box.text().size();
        auto cursor = box.cursorPosition();
        auto selection = box.selectedText().size();
        const auto dropSelection = [&] {
            if (selection == 0)
                return false;
            length -= selection;
            cursor = box.selectionStart();
            selection = 0;
            return true;
        };
        for (const QChar c : commit) {
            if (length >= answerLength) // a box holding a whole answer is emptied first
                length = cursor = selection = 0;
            if (c == u'\b' && !dropSelection() && cursor > 0) {
                --length;
                --cursor;
            }
            else if (c >= u'0' && c <= u'9') {
                dropSelection();
                ++length;
                ++cursor;
            }
            if (length > 0)
                return true;
        }
        return false;
    }

    const StormView view_;
    bool label22Enabled_ = true;
    bool focusSeen_ = false;
    bool chalkPressed_ = false;
    bool discPressed_ = false;
    bool newExercise_ = false;
    bool end_ = false;
    bool keyUpInBox_ = false;
    bool commitFills_ = false;
    int exercises_ = 0;
    long checks_ = 0;
    std::array<long, 2> scores_{};
    std::array<long, 2> scoreAtExercise_{};
};
