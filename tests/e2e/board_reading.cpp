#include "e2e/board_reading.h"

#include <array>
#include <cstdlib>

namespace board {

namespace {

constexpr int kTolerance = 48;

bool near(QRgb pixel, QRgb colour)
{
    return std::abs(qRed(pixel) - qRed(colour)) <= kTolerance &&
           std::abs(qGreen(pixel) - qGreen(colour)) <= kTolerance &&
           std::abs(qBlue(pixel) - qBlue(colour)) <= kTolerance;
}

bool dark(QRgb pixel) { return qRed(pixel) < 90 && qGreen(pixel) < 90 && qBlue(pixel) < 90; }

int count(const QImage& shot, const QRect& area, bool (*wanted)(QRgb))
{
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            found += wanted(shot.pixel(x, y)) ? 1 : 0;
    return found;
}

// The inside of a 65 x 65 square, clear of its sunken border.
QRect inside(const QRect& square) { return square.adjusted(3, 3, -3, -3); }

constexpr int kDigitPixels = 40;

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

QPoint boxCentre(int box) { return boxRect(box).center(); }

int inkPixels(const QImage& shot, const QRect& area, QRgb colour)
{
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            found += near(shot.pixel(x, y), colour) &&
                             (near(shot.pixel(x - 1, y), colour) || near(shot.pixel(x + 1, y), colour))
                         ? 1
                         : 0;
    return found;
}

Ink ink(const QImage& shot, int box)
{
    const QRect area = inside(boxRect(box));
    const std::array<std::pair<Ink, int>, 3> inks{{{Ink::DarkBlue, inkPixels(shot, area, kDarkBlue)},
                                                   {Ink::Red, inkPixels(shot, area, kRed)},
                                                   {Ink::Green, inkPixels(shot, area, kGreen)}}};
    std::pair<Ink, int> most{Ink::Empty, kDigitPixels - 1};
    for (const auto& candidate : inks)
        if (candidate.second > most.second)
            most = candidate;
    return most.first;
}

bool showsDigits(const QImage& shot, const QRect& area)
{
    return inkPixels(shot, inside(area), kDarkBlue) >= kDigitPixels;
}

Face face(const QImage& shot)
{
    if (count(shot, kFace, [](QRgb p) { return near(p, kYellow); }) < 400)
        return Face::None;
    if (count(shot, kFace, [](QRgb p) { return near(p, kRed); }) > 30)
        return Face::Right;
    const QRect belowStraightMouth(kFace.left() + 12, kFace.top() + 36, 25, 4);
    return count(shot, belowStraightMouth, dark) > 3 ? Face::Wrong : Face::Waiting;
}

Pointer pointer(const QImage& cursor, const QString& name)
{
    int yellow = 0;
    int blue = 0;
    QRect drawn;
    for (int y = 0; y < cursor.height(); ++y)
        for (int x = 0; x < cursor.width(); ++x) {
            const QRgb pixel = cursor.pixel(x, y);
            if (qAlpha(pixel) < 128)
                continue;
            yellow += near(pixel, kYellow) ? 1 : 0;
            blue += near(pixel, 0x0000FF) ? 1 : 0;
            drawn |= QRect(x, y, 1, 1);
        }
    if (yellow > 10)
        return Pointer::WritingHand;
    if (blue > 10)
        return Pointer::PointingHand;
    const bool beamName =
        name == QLatin1String("text") || name == QLatin1String("xterm") || name == QLatin1String("ibeam");
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

const char* name(Face face)
{
    static const char* const names[] = {"no face", "waiting face", "laughing face", "sad face"};
    return names[static_cast<int>(face)];
}

const char* name(Ink ink)
{
    static const char* const names[] = {"empty", "dark blue", "red", "green"};
    return names[static_cast<int>(ink)];
}

const char* name(Pointer pointer)
{
    static const char* const names[] = {"arrow", "writing hand", "text pointer", "pointing hand"};
    return names[static_cast<int>(pointer)];
}

} // namespace board
