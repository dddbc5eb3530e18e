#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <array>
#include <optional>

// The window as a pupil sees it, found through the controls' names: what the
// boxes hold, the header and score captions, the faces, the chalk box.
class StormView {
public:
    explicit StormView(QWidget& form) : form_(form)
    {
        for (int n = 1; n <= 40; ++n)
            boxes_[index(n)] = find<QLineEdit>(QStringLiteral("Text%1").arg(n));
        for (int n = 1; n <= 31; ++n)
            labels_[index(n)] = find<QLabel>(QStringLiteral("Label%1").arg(n));
        for (int n = 1; n <= 5; ++n)
            images_[index(n)] = find<QWidget>(QStringLiteral("Image%1").arg(n));
    }

    QWidget& form() const { return form_; }
    QLineEdit& box(int n) const { return *boxes_[index(n)]; }
    QLabel& label(int n) const { return *labels_[index(n)]; }
    QWidget& image(int n) const { return *images_[index(n)]; }

    // A caption as a number; an empty caption counts as 0.
    long number(int label) const { return this->label(label).text().toLong(); }

    // The expected answer of box n, worked out from the header captions as a
    // pupil would: row plus column, or minuend minus subtrahend.
    std::optional<int> expectedAnswer(int n) const
    {
        const bool addition = n <= 20;
        const int cell = addition ? n - 1 : n - 21;
        const QString row = label((addition ? 6 : 16) + cell / 4).text();
        const QString column = label((addition ? 2 : 12) + cell % 4).text();
        if (row.isEmpty() || column.isEmpty())
            return std::nullopt;
        return addition ? row.toInt() + column.toInt() : row.toInt() - column.toInt();
    }

    // Digits of the expected answer: 0 before the first exercise.
    int answerLength(int n) const
    {
        const auto answer = expectedAnswer(n);
        return answer ? static_cast<int>(QString::number(*answer).size()) : 0;
    }

    int visibleFaces() const
    {
        int visible = 0;
        for (int n = 3; n <= 5; ++n)
            visible += image(n).isVisibleTo(&form_) ? 1 : 0;
        return visible;
    }

    // The box holding the keyboard focus, 0 when none does.
    int focusedBox() const
    {
        for (int n = 1; n <= 40; ++n)
            if (box(n).hasFocus())
                return n;
        return 0;
    }

    bool allFilledBut(int skipped) const
    {
        for (int n = 1; n <= 40; ++n)
            if (n != skipped && box(n).text().isEmpty())
                return false;
        return true;
    }

    bool allFilled() const { return allFilledBut(0); }

private:
    static std::size_t index(int n) { return static_cast<std::size_t>(n - 1); }

    template <typename T>
    T* find(const QString& name) const
    {
        T* child = form_.findChild<T*>(name, Qt::FindDirectChildrenOnly);
        if (!child)
            qFatal("the window has no control named %s", qPrintable(name));
        return child;
    }

    QWidget& form_;
    std::array<QLineEdit*, 40> boxes_{};
    std::array<QLabel*, 31> labels_{};
    std::array<QWidget*, 5> images_{};
};
