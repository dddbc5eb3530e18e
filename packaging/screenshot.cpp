// Takes the picture of the window that the metainfo shows: an exercise drawn,
// a few answers typed, one of them wrong, the last one right. With --start,
// the window as it opens; with --exercise, just after an exercise is drawn,
// whose header numbers it prints as label=number, for scripts/compare_windows.sh
// to show them on Vendaro.exe.
//   vendaro_screenshot <png> [--start | --exercise]

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
    const QString mode = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (argc < 2 || argc > 3 || !QStringList({"", "--start", "--exercise"}).contains(mode)) {
        std::fputs("usage: vendaro_screenshot <png> [--start | --exercise]\n", stderr);
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
    if (mode != "--start")
        QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("Label22")), Qt::LeftButton);
    if (mode == "--exercise")
        for (const Table table : {Table::Addition, Table::Subtraction}) {
            for (int column = 1; column <= kColumns; ++column)
                std::printf("%d=%d ", columnHeaderLabel(table, column), number(form, columnHeaderLabel(table, column)));
            for (int row = 1; row <= kRows; ++row)
                std::printf("%d=%d ", rowHeaderLabel(table, row), number(form, rowHeaderLabel(table, row)));
        }
    if (!mode.isEmpty())
        return form.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
    for (const int box : {1, 2, 3, 4, 5, 21, 22, 23})
        type(form, box, answer(form, box));
    type(form, 6, wrong(answer(form, 6)));
    type(form, 24, answer(form, 24));
    return form.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
