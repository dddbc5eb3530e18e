#pragma once

#include "cells.h"
#include "form1.h"
#include "scripted.h"

#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

// The real window, driven through its QWindow the way the platform delivers
// input. Its exercises follow a stepping clock: every run plays the same ones.
struct Drill {
    vendaro::SystemRandom random;
    SteppingClock clock;
    Form1 form{random, clock};

    bool open()
    {
        form.showCentred();
        return QTest::qWaitForWindowActive(&form);
    }

    QWindow* window() { return form.windowHandle(); }
    // Looked up once: the storm reads every box after every event.
    QHash<QString, QWidget*> controls;
    QWidget* control(const QString& name)
    {
        QWidget*& found = controls[name];
        return found ? found : found = form.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    }
    QLineEdit* box(int k) { return static_cast<QLineEdit*>(control("Text" + QString::number(k))); }
    QLabel* label(int k) { return static_cast<QLabel*>(control("Label" + QString::number(k))); }
    QString caption(int k) { return label(k)->text(); }
    QColor ink(int k) { return box(k)->palette().color(QPalette::Text); }

    void click(QPoint where, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(window(), button, {}, where);
    }
    void newExercise() { click({60, 540}); }
    void type(const QString& keys)
    {
        for (const QChar key : keys)
            QTest::keyClick(window(), key.toLatin1());
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(window(), key, modifiers); }

    // What box k expects, read off its header squares as a pupil reads them.
    QString expected(int k)
    {
        const vendaro::Cell cell = vendaro::cellAt(k);
        const int row = caption(cell.rowHeaderLabel).toInt();
        const int column = caption(cell.columnHeaderLabel).toInt();
        return QString::number(cell.table == vendaro::Table::Addition ? row + column : row - column);
    }

    // Clicks into the first box whose answer has this many digits.
    int clickBoxWithDigits(int digits)
    {
        int k = 1;
        while (k < vendaro::kCellCount && expected(k).size() != digits)
            ++k;
        click(box(k)->geometry().center());
        return k;
    }

    // The one face showing, -1 when more than one does.
    int face()
    {
        int shown = 0;
        for (const int k : {vendaro::faces::waiting, vendaro::faces::right, vendaro::faces::wrong})
            if (control("Image" + QString::number(k))->isVisible())
                shown = shown ? -1 : k;
        return shown;
    }
};
