#pragma once

#include "storm_view.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>

// What must hold of the window after every event of the storm. The model
// follows only what the storm did (new exercises, key releases in full
// tables) and checks it against what the window shows.
class StormModel {
public:
    static constexpr int kFamilies = 5;

    bool label22Enabled() const { return label22Enabled_; }

    // A click on the chalk box while it was enabled.
    void newExercise()
    {
        label22Enabled_ = false;
        ++exercises_;
        scoreAtExercise_ = scores_;
    }

    // A key release reached a box, after which no box was empty.
    void filledAtKeyUp() { label22Enabled_ = true; }

    int exercises() const { return exercises_; }
    long points() const { return scores_[0] + scores_[1]; }
    long checks() const { return checks_; }

    // The first broken invariant, or an empty string when all hold.
    QString check(const StormView& view)
    {
        checks_ += kFamilies;
        focusSeen_ = focusSeen_ || view.focusedBox() != 0;
        QString broken = checkBoxes(view);
        if (broken.isEmpty())
            broken = checkFaces(view);
        for (int table = 0; table < 2 && broken.isEmpty(); ++table)
            broken = checkScore(view, table);
        if (broken.isEmpty() && view.label(22).isEnabled() != label22Enabled_)
            broken = QStringLiteral("Label22 is %1").arg(label22Enabled_ ? "disabled" : "enabled");
        return broken;
    }

private:
    static QString checkBoxes(const StormView& view)
    {
        static const QRegularExpression digits(QStringLiteral("^[0-9]*$"));
        for (int n = 1; n <= 40; ++n) {
            const QString text = view.box(n).text();
            const int longest = std::max(1, view.answerLength(n));
            if (!digits.match(text).hasMatch() || text.size() > longest)
                return QStringLiteral("Text%1 holds \"%2\", at most %3 digits allowed").arg(n).arg(text).arg(longest);
        }
        return {};
    }

    QString checkFaces(const StormView& view) const
    {
        const int faces = view.visibleFaces();
        const int least = focusSeen_ || exercises_ > 0 ? 1 : 0;
        if (faces > 1 || faces < least)
            return QStringLiteral("%1 faces visible").arg(faces);
        return {};
    }

    QString checkScore(const StormView& view, int table)
    {
        static const QRegularExpression number(QStringLiteral("^[0-9]*$"));
        const int scoreLabel = table == 0 ? 25 : 29;
        const int totalLabel = table == 0 ? 27 : 31;
        const QString name = table == 0 ? QStringLiteral("addition") : QStringLiteral("subtraction");
        if (!number.match(view.label(scoreLabel).text()).hasMatch() ||
            !number.match(view.label(totalLabel).text()).hasMatch())
            return QStringLiteral("%1 score line is not made of numbers").arg(name);
        const long score = view.number(scoreLabel);
        const long total = view.number(totalLabel);
        const auto i = static_cast<std::size_t>(table);
        QString broken;
        if (total != 20L * exercises_)
            broken = QStringLiteral("%1 total %2 after %3 exercises").arg(name).arg(total).arg(exercises_);
        else if (score > total)
            broken = QStringLiteral("%1 score %2 above its total %3").arg(name).arg(score).arg(total);
        else if (score < scores_[i] || score > scores_[i] + 1)
            broken = QStringLiteral("%1 score went from %2 to %3 in one event").arg(name).arg(scores_[i]).arg(score);
        else if (score - scoreAtExercise_[i] > 20)
            broken = QStringLiteral("%1 table scored more than 20 points in one exercise").arg(name);
        scores_[i] = score;
        return broken;
    }

    bool label22Enabled_ = true;
    bool focusSeen_ = false;
    int exercises_ = 0;
    long checks_ = 0;
    std::array<long, 2> scores_{};
    std::array<long, 2> scoreAtExercise_{};
};
