#include "e2e/board_reading.h"

#include <cstdlib>
#include <utility>

namespace board {

namespace {

constexpr QRgb kDarkBlue = 0x0000C0;
constexpr QRgb kRed = 0xFF0000;
constexpr QRgb kGreen = 0x008000;
constexpr QRgb kYellow = 0xFFFF00;
constexpr int kDigitPixels = 40;

bool near(QRgb pixel, QRgb colour)
{
    constexpr int kTolerance = 48;
    return qAlpha(pixel) >= 128 && std::abs(qRed(pixel) - qRed(colour)) <= kTolerance &&
           std::abs(qGreen(pixel) - qGreen(colour)) <= kTolerance &&
           std::abs(qBlue(pixel) - qBlue(colour)) <= kTolerance;
}

// The points (x, y) of the area for which `wanted(x, y)` holds.
template <typename Wanted>
int count(const QRect& area, Wanted wanted)
{
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            found += wanted(x, y) ? 1 : 0;
    return found;
}

// Pixels near a colour with a neighbour of that colour to the left or right:
// the caret, a line one pixel wide, never counts, while the strokes of a digit do.
int inkPixels(const QImage& shot, const QRect& square, QRgb colour)
{
    const QRect inside = square.adjusted(3, 3, -3, -3); // clear of the sunken border
    return count(inside, [&](int x, int y) {
        return near(shot.pixel(x, y), colour) &&
               (near(shot.pixel(x - 1, y), colour) || near(shot.pixel(x + 1, y), colour));
    });
}

} // namespace

QRect boxRect(int box)
{
    const bool addition = box <= 20;
    const int cell = addition ? box - 1 : box - 21;
    return {(addition ? 120 : 480) + 64 * (cell % 4), 152 + 64 * (cell / 4), 65, 65};
}

QRect labelRect(int label)
{
    const bool addition = label <= 10;
    const int first = addition ? 2 : 12;
    const int left = addition ? 56 : 416;
    if (label - first < 4)
        return {left + 64 * (label - first + 1), 88, 65, 65};
    return {left, 152 + 64 * (label - first - 4), 65, 65};
}

int countNear(const QImage& image, const QRect& area, QRgb colour)
{
    return count(area, [&](int x, int y) { return near(image.pixel(x, y), colour); });
}

Ink ink(const QImage& shot, int box)
{
    Ink most = Ink::Empty;
    int mostPixels = kDigitPixels - 1;
    for (const auto& [candidate, colour] :
         {std::pair{Ink::DarkBlue, kDarkBlue}, std::pair{Ink::Red, kRed}, std::pair{Ink::Green, kGreen}})
        if (const int pixels = inkPixels(shot, boxRect(box), colour); pixels > mostPixels) {
            most = candidate;
            mostPixels = pixels;
        }
    return most;
}

int numberedHeaders(const QImage& shot)
{
    int numbered = 0;
    for (int label = 2; label <= 20; ++label)
        numbered += label != 11 && inkPixels(shot, labelRect(label), kDarkBlue) >= kDigitPixels ? 1 : 0;
    return numbered;
}

Face face(const QImage& shot)
{
    if (countNear(shot, kFace, kYellow) < 400)
        return Face::None;
    if (countNear(shot, kFace, kRed) > 30)
        return Face::Right;
    const QRect belowStraightMouth(kFace.left() + 12, kFace.top() + 36, 25, 4);
    const int dark = count(belowStraightMouth, [&](int x, int y) {
        const QRgb p = shot.pixel(x, y);
        return qRed(p) < 90 && qGreen(p) < 90 && qBlue(p) < 90;
    });
    return dark > 3 ? Face::Wrong : Face::Waiting;
}

Pointer pointer(const QImage& cursor, const QString& name)
{
    if (countNear(cursor, cursor.rect(), kYellow) > 10)
        return Pointer::WritingHand;
    if (countNear(cursor, cursor.rect(), 0x0000FF) > 10)
        return Pointer::PointingHand;
    QRect drawn;
    for (int y = 0; y < cursor.height(); ++y)
        for (int x = 0; x < cursor.width(); ++x)
            if (qAlpha(cursor.pixel(x, y)) >= 128)
                drawn |= QRect(x, y, 1, 1);
    const bool beamName = name == u"text" || name == u"xterm" || name == u"ibeam";
    return beamName || (drawn.width() <= 11 && drawn.height() >= 12) ? Pointer::TextBeam : Pointer::Arrow;
}

bool sameButCaret(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    int column = -1;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) == b.pixel(x, y))
                continue;
            if (column >= 0 && column != x)
                return false;
            column = x;
        }
    return true;
}

} // namespace board
