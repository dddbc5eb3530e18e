// Takes the picture of the window that the metainfo shows: an exercise drawn,
// a few answers typed, one of them wrong, the last one right.
//   vendaro_screenshot <png>

#include "cells.h"
#include "form1.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QTest>

#include <cstdio>

using namespace vendaro;

namespace {

int number(Form1& form, int label)
{
    return form.findChild<QLabel*>(QStringLiteral("Label%1").arg(label))->text().toInt();
}

QString answer(Form1& form, int cellNumber)
{
    const Cell cell = cellAt(cellNumber);
    const int row = number(form, cell.rowHeaderLabel);
    const int column = number(form, cell.columnHeaderLabel);
    return QString::number(cell.table == Table::Addition ? row + column : row - column);
}

// As many digits as the right answer, so that the box is judged.
QString wrong(QString right)
{
    const QChar last = right.back();
    right.back() = QChar(u'0' + (last.digitValue() + 1) % 10);
    return right;
}

void type(Form1& form, int box, const QString& text)
{
    auto* target = form.findChild<QWidget*>(QStringLiteral("Text%1").arg(box));
    target->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(target, text);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: vendaro_screenshot <png>\n", stderr);
        return 2;
    }
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    SystemRandom random;
    const SystemClock clock;
    Form1 form(random, clock);
    form.showCentred();
    // Focus changes, and with them the drill's counts of attempts, need an active window.
    if (!QTest::qWaitForWindowActive(&form))
        return 1;
    QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("Label22")), Qt::LeftButton);
    for (const int box : {1, 2, 3, 4, 5, 21, 22, 23})
        type(form, box, answer(form, box));
    type(form, 6, wrong(answer(form, 6)));
    type(form, 24, answer(form, 24));
    return form.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
