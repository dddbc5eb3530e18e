// Renders the program icon for the desktop's icon theme and for Windows:
//   vendaro_icon_files <svg> <output dir> <icon name> <size>...
// writes <dir>/hicolor/<n>x<n>/apps/<icon name>.png for every size and
// <dir>/vendaro.ico holding the sizes Windows shows.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <array>
#include <cstdio>

namespace {

constexpr std::array kIcoSizes{16, 24, 32, 48, 64, 128, 256};

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

template <typename T>
void append(QByteArray& out, T value)
{
    const T little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&little), sizeof little);
}

// An icon directory whose entries are PNG images, as Windows reads them since Vista.
QByteArray ico(QSvgRenderer& renderer)
{
    constexpr int kHeader = 6;
    constexpr int kEntry = 16;
    QByteArray head;
    QByteArray images;
    append<quint16>(head, 0);
    append<quint16>(head, 1);
    append<quint16>(head, static_cast<quint16>(kIcoSizes.size()));
    for (const int side : kIcoSizes) {
        const QByteArray image = png(renderer, side);
        head.append(char(side % 256)).append(char(side % 256)).append(char(0)).append(char(0));
        append<quint16>(head, 1);
        append<quint16>(head, 32);
        append<quint32>(head, static_cast<quint32>(image.size()));
        append<quint32>(head, static_cast<quint32>(kHeader + kEntry * int(kIcoSizes.size()) + images.size()));
        images.append(image);
    }
    return head + images;
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
    bool written = write(out.filePath(QStringLiteral("vendaro.ico")), ico(renderer));
    for (const QString& size : args.mid(4)) {
        const QString path = QStringLiteral("hicolor/%1x%1/apps/%2.png").arg(size, args[3]);
        written = write(out.filePath(path), png(renderer, size.toInt())) && written;
    }
    return written ? 0 : 1;
}
