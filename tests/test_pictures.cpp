#include "pictures.h"

#include <QPainter>
#include <QtTest>

#include <cmath>

using pictures::Picture;

Q_DECLARE_METATYPE(pictures::Picture)

namespace {

const QColor teal(0x008080u);
const QColor black(0x000000u);
const QColor white(0xFFFFFFu);
const QColor lilac(0xC0C0FFu);
const QColor orange(0xFF8040u);
const QColor brown(0x804000u);
const QColor blue(0x0080FFu);
const QColor olive(0x808040u);
const QColor yellow(0xFFFF00u);
const QColor red(0xFF0000u);
const QColor cyan(0x00FFFFu);
const QColor clear(Qt::transparent);

// Probes look at whole ratios, where a logical pixel maps onto whole device pixels.
const qreal probeRatios[] = {1, 2};
const qreal allRatios[] = {1, 1.25, 1.5, 2};

QImage imageOf(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

// The device pixel under the middle of a logical pixel.
QColor at(const QImage& image, QPoint logical, qreal ratio)
{
    const int x = int(std::floor((logical.x() + 0.5) * ratio));
    const int y = int(std::floor((logical.y() + 0.5) * ratio));
    return QColor::fromRgba(image.pixel(x, y));
}

// Pixels of the 96 px face whose 3x3 block is not one colour: zero for a
// 32 px drawing blown up by nearest neighbour.
int mixedBlocks(const QImage& image)
{
    int mixed = 0;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            for (int i = 0; i < 9; ++i) {
                if (image.pixel(x + i % 3, y + i / 3) != image.pixel(x, y)) {
                    ++mixed;
                    break;
                }
            }
        }
    }
    return mixed;
}

// Half-transparent pixels where the middle row crosses the outline.
int blurredEdgeWidth(const QImage& image)
{
    int width = 0;
    for (int x = 0; x < image.width() / 2; ++x) {
        const int alpha = qAlpha(image.pixel(x, image.height() / 2));
        width += alpha > 0 && alpha < 255;
    }
    return width;
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void sizesFollowTheRatio_data()
    {
        QTest::addColumn<Picture>("picture");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("pixels");
        const struct {
            const char* name;
            Picture picture;
            QSize logical;
        } pictures[] = {
            {"board", Picture::Board, {800, 600}},
            {"addition arrows", Picture::AdditionArrows, {114, 163}},
            {"subtraction arrows", Picture::SubtractionArrows, {114, 163}},
            {"waiting face", Picture::WaitingFace, {48, 48}},
            {"right face", Picture::RightFace, {48, 48}},
            {"wrong face", Picture::WrongFace, {48, 48}},
        };
        for (const auto& p : pictures) {
            for (qreal ratio : allRatios) {
                const QSize pixels(qRound(p.logical.width() * ratio), qRound(p.logical.height() * ratio));
                QTest::addRow("%s at %g", p.name, ratio) << p.picture << ratio << pixels;
            }
        }
    }

    void sizesFollowTheRatio()
    {
        QFETCH(Picture, picture);
        QFETCH(qreal, ratio);
        QFETCH(QSize, pixels);
        const QPixmap pixmap = pictures::pixmap(picture, ratio);
        QCOMPARE(pixmap.size(), pixels);
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
    }

    void boardColours_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("board top-left pixel") << QPoint(14, 12) << teal;
        QTest::newRow("board bottom-right pixel") << QPoint(778, 566) << teal;
        QTest::newRow("left outer line") << QPoint(5, 300) << black;
        QTest::newRow("left lilac line") << QPoint(8, 300) << lilac;
        QTest::newRow("left inner line") << QPoint(13, 300) << black;
        QTest::newRow("top lilac line") << QPoint(400, 6) << lilac;
        QTest::newRow("right inner line") << QPoint(779, 300) << black;
        QTest::newRow("right lilac line") << QPoint(783, 300) << lilac;
        QTest::newRow("outside left") << QPoint(1, 300) << orange;
        QTest::newRow("outside right") << QPoint(795, 300) << orange;
        QTest::newRow("outside bottom") << QPoint(400, 595) << orange;
        QTest::newRow("line above ledge") << QPoint(400, 568) << black;
        QTest::newRow("ledge") << QPoint(400, 575) << brown;
        QTest::newRow("chalk box") << QPoint(67, 555) << blue;
        QTest::newRow("chalk stick") << QPoint(67, 524) << white;
        QTest::newRow("disc") << QPoint(141, 526) << olive;
        QTest::newRow("outer ring") << QPoint(141, 521) << black;
        QTest::newRow("inner ring") << QPoint(141, 530) << black;
    }

    void boardColours()
    {
        QFETCH(QPoint, point);
        QFETCH(QColor, colour);
        for (qreal ratio : probeRatios) {
            QCOMPARE(at(imageOf(pictures::pixmap(Picture::Board, ratio)), point, ratio), colour);
        }
    }

    void boardIsOpaque_data()
    {
        QTest::addColumn<qreal>("ratio");
        for (qreal ratio : allRatios) {
            QTest::addRow("%g", ratio) << ratio;
        }
    }

    void boardIsOpaque()
    {
        QFETCH(qreal, ratio);
        const QImage image = imageOf(pictures::pixmap(Picture::Board, ratio));
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(image.pixel(x, y)) != 255) {
                    QFAIL(qPrintable(QStringLiteral("see-through at %1,%2").arg(x).arg(y)));
                }
            }
        }
    }

    void drawings_data()
    {
        QTest::addColumn<Picture>("picture");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QColor>("colour");
        const Picture add = Picture::AdditionArrows;
        const Picture sub = Picture::SubtractionArrows;
        QTest::newRow("addition: across") << add << QPoint(50, 15) << white;
        QTest::newRow("addition: down") << add << QPoint(17, 80) << white;
        QTest::newRow("addition: head across") << add << QPoint(98, 9) << white;
        QTest::newRow("addition: head down") << add << QPoint(12, 145) << white;
        QTest::newRow("addition: inside the corner") << add << QPoint(60, 80) << clear;
        QTest::newRow("addition: before the start") << add << QPoint(10, 15) << clear;
        QTest::newRow("addition: past the tip across") << add << QPoint(110, 15) << clear;
        QTest::newRow("addition: past the tip down") << add << QPoint(17, 158) << clear;
        QTest::newRow("subtraction: across") << sub << QPoint(50, 15) << white;
        QTest::newRow("subtraction: corner") << sub << QPoint(5, 15) << white;
        QTest::newRow("subtraction: down") << sub << QPoint(6, 150) << white;
        QTest::newRow("subtraction: last row") << sub << QPoint(6, 157) << white;
        QTest::newRow("subtraction: past the end") << sub << QPoint(6, 159) << clear;
        QTest::newRow("subtraction: no head down") << sub << QPoint(12, 145) << clear;
        QTest::newRow("subtraction: not the addition's line") << sub << QPoint(17, 80) << clear;

        const struct {
            const char* name;
            Picture picture;
        } faces[] = {{"waiting", Picture::WaitingFace}, {"right", Picture::RightFace}, {"wrong", Picture::WrongFace}};
        for (const auto& face : faces) {
            for (QPoint corner : {QPoint(0, 0), QPoint(47, 0), QPoint(0, 47), QPoint(47, 47)}) {
                QTest::addRow("%s: corner %d,%d", face.name, corner.x(), corner.y()) << face.picture << corner << clear;
            }
            QTest::addRow("%s: middle", face.name) << face.picture << QPoint(24, 24) << yellow;
            QTest::addRow("%s: left eye", face.name) << face.picture << QPoint(17, 18) << black;
            QTest::addRow("%s: outline", face.name) << face.picture << QPoint(24, 1) << black;
        }
        QTest::newRow("waiting: mouth") << Picture::WaitingFace << QPoint(18, 33) << black;
        QTest::newRow("waiting: under the mouth") << Picture::WaitingFace << QPoint(24, 37) << yellow;
        QTest::newRow("right: inside the mouth") << Picture::RightFace << QPoint(24, 34) << red;
        QTest::newRow("wrong: mouth top") << Picture::WrongFace << QPoint(24, 32) << black;
        QTest::newRow("wrong: mouth corner") << Picture::WrongFace << QPoint(15, 37) << black;
        QTest::newRow("wrong: under the mouth") << Picture::WrongFace << QPoint(24, 37) << yellow;
    }

    void drawings()
    {
        QFETCH(Picture, picture);
        QFETCH(QPoint, point);
        QFETCH(QColor, colour);
        for (qreal ratio : probeRatios) {
            QCOMPARE(at(imageOf(pictures::pixmap(picture, ratio)), point, ratio), colour);
        }
    }

    void facesAreDrawnAtDeviceResolution()
    {
        for (Picture face : {Picture::WaitingFace, Picture::RightFace, Picture::WrongFace}) {
            const QImage image = imageOf(pictures::pixmap(face, 2));
            QCOMPARE(image.size(), QSize(96, 96));
            QVERIFY2(mixedBlocks(image) > 0, "looks like a 32 px drawing stretched");
            QVERIFY2(blurredEdgeWidth(image) <= 2, "the outline is blurred");
        }
    }

    void pointers_data()
    {
        QTest::addColumn<QCursor>("cursor");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QPoint>("hotSpot");
        for (qreal ratio : allRatios) {
            QTest::addRow("writing hand at %g", ratio) << pictures::writingHandCursor(ratio) << ratio << QPoint(2, 11);
            QTest::addRow("pointing hand at %g", ratio)
                << pictures::pointingHandCursor(ratio) << ratio << QPoint(12, 1);
        }
    }

    void pointers()
    {
        QFETCH(QCursor, cursor);
        QFETCH(qreal, ratio);
        QFETCH(QPoint, hotSpot);
        QCOMPARE(cursor.hotSpot(), hotSpot);
        QCOMPARE(cursor.pixmap().devicePixelRatio(), ratio);
        QCOMPARE(cursor.pixmap().size(), QSize(qRound(32 * ratio), qRound(32 * ratio)));
        const QImage image = imageOf(cursor.pixmap());
        QCOMPARE(at(image, hotSpot, ratio).alpha(), 255);
        for (QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31)}) {
            QCOMPARE(at(image, corner, ratio), clear);
        }
    }

    // The window paints the board straight from its drawing; it must match the pixmap probed above.
    void boardDrawsAsItsPixmap()
    {
        for (qreal ratio : probeRatios) {
            const QImage expected = imageOf(pictures::pixmap(Picture::Board, ratio));
            QImage drawn(expected.size(), QImage::Format_ARGB32);
            drawn.setDevicePixelRatio(ratio);
            drawn.fill(Qt::transparent);
            QPainter painter(&drawn);
            pictures::draw(Picture::Board, painter);
            painter.end();
            QCOMPARE(drawn, expected);
        }
    }

    void programIcon()
    {
        const QIcon icon = pictures::programIcon();
        for (int side : {16, 32, 48, 64, 128}) {
            QVERIFY2(icon.availableSizes().contains(QSize(side, side)), qPrintable(QString::number(side)));
        }
        const QImage image = imageOf(icon.pixmap(32, 32));
        QCOMPARE(image.size(), QSize(32, 32));
        QCOMPARE(at(image, {0, 0}, 1), clear);
        QCOMPARE(at(image, {31, 31}, 1), clear);
        QCOMPARE(at(image, {14, 8}, 1), cyan);
    }
};

QTEST_MAIN(PicturesTest)
#include "test_pictures.moc"
