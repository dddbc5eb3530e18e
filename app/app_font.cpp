#include "app/app_font.h"

#include "app/form_layout.h"

#include <QApplication>
#include <QFontDatabase>
#include <QResource>

void ensureTahoma()
{
    // Straight from the program's own data, uncopied; and before anything asks
    // for the system's families, which Qt would list, then list again once a new
    // font clears the list.
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
    // Every character the drill shows is in the face: no fallback fonts to look up.
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

void useTahomaByDefault()
{
    ensureTahoma();
    QApplication::setFont(tahomaBold(layout::kBoxFontPixels));
}
