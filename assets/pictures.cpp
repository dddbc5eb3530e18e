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

QString pathOf(Picture picture)
{
    return QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(vendaro::layout::pictureFile(picture).name));
}

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
QCursor pointer(Picture picture, qreal devicePixelRatio)
{
    const auto& file = vendaro::layout::pictureFile(picture);
    return QCursor(rendered(pathOf(picture), logicalSize(picture), devicePixelRatio), file.hotSpotX, file.hotSpotY);
}

} // namespace

QSize logicalSize(Picture picture)
{
    const auto& file = vendaro::layout::pictureFile(picture);
    return {file.width, file.height};
}

QPixmap pixmap(Picture picture, qreal devicePixelRatio)
{
    return rendered(pathOf(picture), logicalSize(picture), devicePixelRatio);
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
    static std::array<std::unique_ptr<QSvgRenderer>, vendaro::layout::kPictureCount> renderers;
    auto& renderer = renderers.at(static_cast<std::size_t>(picture));
    if (!renderer) {
        renderer = std::make_unique<QSvgRenderer>(pathOf(picture));
        reportIfBroken(*renderer, pathOf(picture));
    }
    renderer->render(&painter, QRectF(QPointF(0, 0), logicalSize(picture)));
}

QCursor writingHandCursor(qreal devicePixelRatio) { return pointer(Picture::WritingHand, devicePixelRatio); }

QCursor pointingHandCursor(qreal devicePixelRatio) { return pointer(Picture::PointingHand, devicePixelRatio); }

QIcon programIcon()
{
    const QString path = pathOf(Picture::ProgramIcon);
    QSvgRenderer renderer(path);
    reportIfBroken(renderer, path);
    QIcon icon;
    for (int side : {16, 32, 48, 64, 128}) {
        icon.addPixmap(QPixmap::fromImage(rasterize(renderer, {side, side})));
    }
    return icon;
}

} // namespace pictures
