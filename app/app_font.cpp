#include "app/app_font.h"

#include <QFontDatabase>
#include <QResource>

void ensureTahoma()
{
    // Straight from the program's own data, uncopied. Asking for the system's
    // families first would make Qt read the whole font list twice, as a new
    // font clears it.
    static const bool registered = [] {
        const QResource face(QStringLiteral(":/fonts/tahomabd.ttf"));
        const auto* data = reinterpret_cast<const char*>(face.data());
        return QFontDatabase::addApplicationFontFromData(QByteArray::fromRawData(data, qsizetype(face.size()))) >= 0;
    }();
    Q_UNUSED(registered);
}

QFont tahomaBold(int pixels)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    font.setWeight(QFont::Bold);
    return font;
}
