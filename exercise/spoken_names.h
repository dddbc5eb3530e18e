#pragma once

#include <string>

namespace vendaro {

// What a screen reader says of the board, in Italian.

// Box Text<cell> is named after its operation, "7 più 5" or "12 meno 4", from
// its row and column headers; it has no name while either header is blank.
std::string spokenName(int cell, const std::string& rowHeader, const std::string& columnHeader);

// A box of either table before its headers are drawn: "addizione", "sottrazione".
std::string tableName(int cell);

// The click areas by what they do, the faces by their verdict; empty for the
// other labels and pictures.
std::string spokenNameOfLabel(int label);
std::string spokenNameOfImage(int image);

} // namespace vendaro
