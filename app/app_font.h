#pragma once

#include <QFont>

// Makes Tahoma available: the system's where it has one, else the
// metric-compatible one built into the program, so the layout holds everywhere.
void ensureTahoma();

// Tahoma bold at a size in pixels.
QFont tahomaBold(int pixels);
