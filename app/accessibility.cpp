#include "app/accessibility.h"

#include "exercise/cells.h"
#include "exercise/controls.h"

#include <QLabel>
#include <QLineEdit>

namespace accessibility {
namespace {

template <typename Control>
Control& control(QWidget& window, const char* kind, int number)
{
    const QString name = QLatin1String(kind) + QString::number(number);
    return *window.findChild<Control*>(name, Qt::FindDirectChildrenOnly);
}

QString operation(QWidget& window, const Cell& cell)
{
    const QString row = control<QLabel>(window, "Label", cell.rowHeaderLabel).text();
    const QString column = control<QLabel>(window, "Label", cell.columnHeaderLabel).text();
    if (row.isEmpty() || column.isEmpty())
        return {};
    const QString sign = cell.table == Table::Addition ? QStringLiteral("più") : QStringLiteral("meno");
    return row + u' ' + sign + u' ' + column;
}

} // namespace

void describeBoard(QWidget& window)
{
    control<QWidget>(window, "Label", kNewExerciseLabel).setAccessibleName(QStringLiteral("Nuovo esercizio"));
    control<QWidget>(window, "Label", 23).setAccessibleName(QStringLiteral("Esci"));
    control<QWidget>(window, "Image", faces::waiting).setAccessibleName(QStringLiteral("Scrivi il risultato"));
    control<QWidget>(window, "Image", faces::right).setAccessibleName(QStringLiteral("Esatto!"));
    control<QWidget>(window, "Image", faces::wrong).setAccessibleName(QStringLiteral("Sbagliato"));
}

void nameBoxesHeadedBy(QWidget& window, int headerLabel)
{
    for (int number = 1; number <= kCellCount; ++number) {
        const Cell cell = cellAt(number);
        if (cell.rowHeaderLabel == headerLabel || cell.columnHeaderLabel == headerLabel)
            control<QWidget>(window, "Text", number).setAccessibleName(operation(window, cell));
    }
}

// The verdict goes to the box in focus, whose changes a screen reader speaks.
// The waiting face comes with every arrival of the focus, which the reader
// already tells: it only takes back the verdict of the box left behind.
void faceShown(QWidget& window, int face)
{
    if (face == faces::waiting) {
        for (auto* box : window.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
            if (!box->accessibleDescription().isEmpty())
                box->setAccessibleDescription({});
        return;
    }
    auto* box = qobject_cast<QLineEdit*>(window.focusWidget());
    if (box && (face == faces::right || face == faces::wrong))
        box->setAccessibleDescription(control<QWidget>(window, "Image", face).accessibleName());
}

} // namespace accessibility
