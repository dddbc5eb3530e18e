#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

// Reading a screenshot of the window's client area as a pupil reads the board.
namespace board {

enum class Face { None, Waiting, Right, Wrong };
enum class Ink { Empty, DarkBlue, Red, Green };
enum class Pointer { Arrow, WritingHand, TextBeam, PointingHand };

constexpr QRgb kDarkBlue = 0x0000C0;
constexpr QRgb kRed = 0xFF0000;
constexpr QRgb kGreen = 0x008000;
constexpr QRgb kYellow = 0xFFFF00;

QRect boxRect(int box);     // Text1..Text40
QRect labelRect(int label); // the 65 x 65 header labels Label2..Label20
QPoint boxCentre(int box);
const QRect kFace{376, 488, 48, 48};
const QRect kChalkBox{40, 520, 57, 46};
const QRect kDisc{120, 520, 41, 41};

// Pixels within a small distance of a colour, counting only those with a
// neighbour of the same colour to the left or right: the caret, a line one
// pixel wide, never counts, while the strokes of a digit do.
int inkPixels(const QImage& shot, const QRect& area, QRgb colour);

// The colour the digits of a box are written in, or Empty.
Ink ink(const QImage& shot, int box);
bool showsDigits(const QImage& shot, const QRect& area);

// The laughing face has its red open mouth; the sad face's mouth turns down
// into the rows below the waiting face's straight one.
Face face(const QImage& shot);

// The writing hand holds a yellow pencil, the pointing hand has a blue cuff,
// the text pointer is a narrow beam, whether drawn from a cursor theme or
// from X's own cursor font.
Pointer pointer(const QImage& cursor, const QString& name);

// Equal but for at most one column of pixels: the blinking caret.
bool sameButCaret(const QImage& a, const QImage& b);

const char* name(Face face);
const char* name(Ink ink);
const char* name(Pointer pointer);

} // namespace board
