// Renders the program icon for the desktop's icon theme:
//   vendaro_icon_files <svg> <output dir> <icon name> <size>...
// writes <dir>/hicolor/<n>x<n>/apps/<icon name>.png for every size.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

QByteArray png(QSvgRenderer& renderer, int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 5) {
        std::fputs("usage: vendaro_icon_files <svg> <output dir> <icon name> <size>...\n", stderr);
        return 2;
    }
    QSvgRenderer renderer(args[1]);
    if (!renderer.isValid())
        return 1;
    const QDir out(args[2]);
    bool written = true;
    for (const QString& size : args.mid(4)) {
        const QString path = QStringLiteral("hicolor/%1x%1/apps/%2.png").arg(size, args[3]);
        written = write(out.filePath(path), png(renderer, size.toInt())) && written;
    }
    return written ? 0 : 1;
}
