#include "pictures.h"

#include "assets_log.h"

#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>

#include <array>
#include <cstddef>
#include <memory>

namespace pictures {
namespace {

struct Source {
    const char* path;
    QSize size;
};

// In the order of Picture.
constexpr std::array<Source, 6> sources{{
    {":/pictures/board.svg", {800, 600}},
    {":/pictures/addition_arrows.svg", {114, 163}},
    {":/pictures/subtraction_arrows.svg", {114, 163}},
    {":/pictures/waiting_face.svg", {48, 48}},
    {":/pictures/right_face.svg", {48, 48}},
    {":/pictures/wrong_face.svg", {48, 48}},
}};

constexpr QSize pointerSize{32, 32};
constexpr QPoint writingHandHotSpot{2, 11};
constexpr QPoint pointingHandHotSpot{12, 1};

const Source& sourceOf(Picture picture) { return sources.at(static_cast<std::size_t>(picture)); }

// Said once however often the picture is asked for; the drill goes on without it.
void reportIfBroken(const QSvgRenderer& renderer, const QString& path)
{
    static QSet<QString> reported;
    if (renderer.isValid() || reported.contains(path))
        return;
    reported.insert(path);
    qCWarning(assetsLog, "cannot load the picture %s", qUtf8Printable(path));
}

QImage rasterize(QSvgRenderer& renderer, QSize deviceSize)
{
    QImage image(deviceSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// The ratio on the pixmap lets Qt scale the logical hot spot to device pixels.
QCursor pointer(const char* path, QPoint hotSpot, qreal devicePixelRatio)
{
    return QCursor(rendered(QString::fromLatin1(path), pointerSize, devicePixelRatio), hotSpot.x(), hotSpot.y());
}

} // namespace

QSize logicalSize(Picture picture) { return sourceOf(picture).size; }

QPixmap pixmap(Picture picture, qreal devicePixelRatio)
{
    const Source& source = sourceOf(picture);
    return rendered(QString::fromLatin1(source.path), source.size, devicePixelRatio);
}

// Draws the vector source straight at device resolution; the result shows at
// logicalSize once the ratio is set.
QPixmap rendered(const QString& path, QSize logical, qreal devicePixelRatio)
{
    QSvgRenderer renderer(path);
    reportIfBroken(renderer, path);
    QPixmap result = QPixmap::fromImage(rasterize(renderer, (QSizeF(logical) * devicePixelRatio).toSize()));
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
}

void draw(Picture picture, QPainter& painter)
{
    // Read once: the board is drawn again under every blink of a caret.
    static std::array<std::unique_ptr<QSvgRenderer>, sources.size()> renderers;
    const Source& source = sourceOf(picture);
    auto& renderer = renderers.at(static_cast<std::size_t>(picture));
    if (!renderer) {
        renderer = std::make_unique<QSvgRenderer>(QString::fromLatin1(source.path));
        reportIfBroken(*renderer, QString::fromLatin1(source.path));
    }
    renderer->render(&painter, QRectF(QPointF(0, 0), source.size));
}

QCursor writingHandCursor(qreal devicePixelRatio)
{
    return pointer(":/pictures/writing_hand.svg", writingHandHotSpot, devicePixelRatio);
}

QCursor pointingHandCursor(qreal devicePixelRatio)
{
    return pointer(":/pictures/pointing_hand.svg", pointingHandHotSpot, devicePixelRatio);
}

QIcon programIcon()
{
    const QString path = QStringLiteral(":/pictures/program_icon.svg");
    QSvgRenderer renderer(path);
    reportIfBroken(renderer, path);
    QIcon icon;
    for (int side : {16, 32, 48, 64, 128}) {
        icon.addPixmap(QPixmap::fromImage(rasterize(renderer, {side, side})));
    }
    return icon;
}

} // namespace pictures
