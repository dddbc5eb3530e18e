#include "accessibility.h"

#include "cells.h"
#include "controls.h"
#include "spoken_names.h"

#include <QLabel>
#include <QLineEdit>

using namespace vendaro;

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
    const auto caption = [&](int label) { return control<QLabel>(window, "Label", label).text().toStdString(); };
    return QString::fromStdString(
        spokenName(cell.number, caption(cell.rowHeaderLabel), caption(cell.columnHeaderLabel)));
}

void setSpokenName(QWidget& window, const char* kind, int number, const std::string& name)
{
    control<QWidget>(window, kind, number).setAccessibleName(QString::fromStdString(name));
}

} // namespace

void describeBoard(QWidget& window)
{
    for (const int label : {kNewExerciseLabel, kEndLabel})
        setSpokenName(window, "Label", label, spokenNameOfLabel(label));
    for (const int face : {faces::waiting, faces::right, faces::wrong})
        setSpokenName(window, "Image", face, spokenNameOfImage(face));
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
