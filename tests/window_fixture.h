#pragma once

#include "app/form1.h"
#include "exercise/cells.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

// The real window, shown offscreen and driven through its QWindow the way
// the platform delivers input, so that focus changes happen between a key's
// press and its release as they would on a keyboard.
struct Drill {
    Form1 form;

    bool open()
    {
        form.showCentred();
        return QTest::qWaitForWindowActive(&form);
    }

    QWindow* window() { return form.windowHandle(); }
    QLineEdit* box(int k) { return form.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(k)); }
    QLabel* label(int k) { return form.findChild<QLabel*>(QStringLiteral("Label%1").arg(k)); }
    QWidget* image(int k) { return form.findChild<QWidget*>(QStringLiteral("Image%1").arg(k)); }
    QString caption(int k) { return label(k)->text(); }

    void click(QPoint where, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(window(), button, {}, where);
    }
    void newExercise() { click({60, 540}); }

    // Digits and letters typed one key at a time, each pressed and released.
    void type(const QString& keys)
    {
        for (const QChar key : keys)
            QTest::keyClick(window(), key.toLatin1());
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(window(), key, modifiers); }

    // What cell k expects, read from the header squares as a pupil reads them.
    int expected(int k)
    {
        const Cell cell = cellAt(k);
        const int row = caption(cell.rowHeaderLabel).toInt();
        const int column = caption(cell.columnHeaderLabel).toInt();
        return cell.table == Table::Addition ? row + column : row - column;
    }

    // The first box whose answer has this many digits, given the focus by a click.
    int focusBoxWithDigits(int digits)
    {
        int k = 1;
        while (k < kCellCount && QString::number(expected(k)).size() != digits)
            ++k;
        box(k)->setFocus(Qt::MouseFocusReason);
        return k;
    }

    int visibleFace()
    {
        int shown = 0;
        for (const int face : {faces::waiting, faces::right, faces::wrong})
            if (image(face)->isVisible())
                shown = shown ? -1 : face;
        return shown;
    }

    QColor textColour(int k) { return box(k)->palette().color(QPalette::Text); }
};
