#include "spoken_names.h"

#include "cells.h"
#include "controls.h"

namespace vendaro {

std::string spokenName(int cell, const std::string& rowHeader, const std::string& columnHeader)
{
    if (rowHeader.empty() || columnHeader.empty())
        return {};
    const char* sign = tableOf(cell) == Table::Addition ? " più " : " meno ";
    return rowHeader + sign + columnHeader;
}

std::string tableName(int cell) { return tableOf(cell) == Table::Addition ? "addizione" : "sottrazione"; }

std::string spokenNameOfLabel(int label)
{
    switch (label) {
    case kNewExerciseLabel:
        return "Nuovo esercizio";
    case kEndLabel:
        return "Esci";
    default:
        return {};
    }
}

std::string spokenNameOfImage(int image)
{
    switch (image) {
    case faces::waiting:
        return "Scrivi il risultato";
    case faces::right:
        return "Esatto!";
    case faces::wrong:
        return "Sbagliato";
    default:
        return {};
    }
}

} // namespace vendaro
