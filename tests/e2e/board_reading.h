#pragma once

#include <QImage>
#include <QObject>
#include <QRect>

// Reading a screenshot of the window's client area as a pupil reads the board.
namespace board {
Q_NAMESPACE

enum class Face { None, Waiting, Right, Wrong };
enum class Ink { Empty, DarkBlue, Red, Green };
enum class Pointer { Arrow, WritingHand, TextBeam, PointingHand };
Q_ENUM_NS(Face)
Q_ENUM_NS(Ink)
Q_ENUM_NS(Pointer)

QRect boxRect(int box);     // Text1..Text40
QRect labelRect(int label); // the 65 x 65 header labels Label2..Label20
const QRect kFace{376, 488, 48, 48};
const QRect kChalkBox{40, 520, 57, 46};
const QRect kDisc{120, 520, 41, 41};

// Opaque pixels within a small distance of a colour.
int countNear(const QImage& image, const QRect& area, QRgb colour);

// The colour the digits of a box are written in, or Empty.
Ink ink(const QImage& shot, int box);
// How many of the 18 header labels show a number.
int numberedHeaders(const QImage& shot);

// The laughing face has its red open mouth; the sad face's mouth turns down
// into the rows below the waiting face's straight one.
Face face(const QImage& shot);

// The writing hand holds a yellow pencil, the pointing hand has a blue cuff,
// the text pointer is a narrow beam, whether drawn from a cursor theme or
// from X's own cursor font.
Pointer pointer(const QImage& cursor, const QString& name);

// Equal but for at most one column of pixels: the blinking caret.
bool sameButCaret(const QImage& a, const QImage& b);

} // namespace board
