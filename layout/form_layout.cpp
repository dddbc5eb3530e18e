#include "form_layout.h"

#include "cells.h"

#include <algorithm>
#include <array>

namespace vendaro::layout {
namespace {

// Each table is a grid of 65 px squares on a 64 px pitch, so neighbours share a line.
constexpr int kSquare = 975;
constexpr int kPitch = 960;
constexpr int kFirstBoxTop = 2280;
constexpr int kAdditionFirstBoxLeft = 1800;
constexpr int kSubtractionFirstBoxLeft = 7200;

constexpr Rgb kCornerBackground = 0xFFFF80;
constexpr Rgb kHeaderBackground = 0xFFFFC0;
constexpr Rgb kWhite = 0xFFFFFF;

int firstBoxLeft(Table table) { return table == Table::Addition ? kAdditionFirstBoxLeft : kSubtractionFirstBoxLeft; }

// Row and column 0 are the header squares; the answer boxes start at 1.
Rect square(Table table, int row, int column)
{
    return fromTwips(firstBoxLeft(table) + kPitch * (column - 1), kFirstBoxTop + kPitch * (row - 1), kSquare, kSquare);
}

LabelLook tableLabel(int number, Table table, int row, int column)
{
    const bool corner = row == 0 && column == 0;
    const bool minusSign = corner && table == Table::Subtraction;
    return {number,
            square(table, row, column),
            corner ? (minusSign ? "-" : "+") : "",
            minusSign ? 48 : kBoxFontPixels,
            kBoxText,
            corner ? kCornerBackground : kHeaderBackground,
            true,
            Align::Centre,
            Pointer::Arrow};
}

void addTableLabels(std::vector<LabelLook>& looks, Table table)
{
    const int corner = table == Table::Addition ? 1 : 11;
    looks.push_back(tableLabel(corner, table, 0, 0));
    for (int column = 1; column <= kColumns; ++column)
        looks.push_back(tableLabel(columnHeaderLabel(table, column), table, 0, column));
    for (int row = 1; row <= kRows; ++row)
        looks.push_back(tableLabel(rowHeaderLabel(table, row), table, row, 0));
}

LabelLook boardText(int number, Rect rect, const std::string& caption, int fontPixels, Align alignment)
{
    return {number, rect, caption, fontPixels, kWhite, std::nullopt, false, alignment, Pointer::Arrow};
}

LabelLook clickArea(int number, Rect rect)
{
    return {number, rect, "", 0, kWhite, std::nullopt, false, Align::Left, Pointer::PointingHand};
}

// One score line: "ESATTE:", the score, "SU", the total, each at its own left edge.
void addScoreLine(std::vector<LabelLook>& looks, int firstLabel, const std::array<int, 4>& lefts)
{
    constexpr int kTop = 7200, kHeight = 375, kScorePixels = 19;
    const std::array<int, 4> widths{1215, 1095, 495, 1095};
    const std::array<std::string, 4> captions{"ESATTE:", "", "SU", ""};
    for (std::size_t i = 0; i < lefts.size(); ++i)
        looks.push_back(boardText(firstLabel + static_cast<int>(i), fromTwips(lefts[i], kTop, widths[i], kHeight),
                                  captions[i], kScorePixels, Align::Left));
}

} // namespace

Rect fromTwips(int left, int top, int width, int height)
{
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel};
}

BoxLook box(int number)
{
    const Cell cell = cellAt(number);
    const Pointer pointer = cell.table == Table::Addition ? Pointer::WritingHand : Pointer::TextBeam;
    return {number, square(cell.table, cell.row, cell.column), pointer};
}

std::vector<LabelLook> labels()
{
    std::vector<LabelLook> looks;
    addTableLabels(looks, Table::Addition);
    addTableLabels(looks, Table::Subtraction);
    looks.push_back(boardText(21, fromTwips(720, 480, 10335, 495), "COMPLETA LE SEGUENTI TABELLE", 21, Align::Centre));
    looks.push_back(clickArea(22, fromTwips(600, 7800, 855, 735)));
    looks.push_back(clickArea(23, fromTwips(1800, 7800, 615, 615)));
    addScoreLine(looks, 24, {1080, 2520, 3720, 4320});
    addScoreLine(looks, 28, {6600, 7920, 9120, 9720});
    std::sort(looks.begin(), looks.end(), [](const auto& a, const auto& b) { return a.number < b.number; });
    return looks;
}

std::vector<PictureLook> pictures()
{
    const Rect face = fromTwips(5640, 7320, 720, 720);
    return {
        {1, fromTwips(360, 840, 1710, 2445)}, {2, fromTwips(5880, 840, 1710, 2445)}, {3, face}, {4, face}, {5, face}};
}

std::vector<std::string> stackingBackToFront()
{
    std::vector<std::string> names{"Image2"};
    for (int label = 1; label <= 23; ++label)
        names.push_back("Label" + std::to_string(label));
    for (const char* name : {"Image3", "Image4", "Image5", "Label24", "Label25", "Label26", "Label27", "Image1",
                             "Label28", "Label29", "Label30", "Label31"})
        names.push_back(name);
    for (int box = 1; box <= kCellCount; ++box)
        names.push_back("Text" + std::to_string(box));
    return names;
}

} // namespace vendaro::layout
