#include "app_font.h"

#include "form_layout.h"

#include <QApplication>
#include <QFontDatabase>
#include <QResource>

void ensureTahoma()
{
    // Straight from the program's own data, uncopied; and before anything asks
    // for the system's families, which Qt would list, then list again once a new
    // font clears the list.
    [[maybe_unused]] static const int face = [] {
        const QResource resource(QStringLiteral(":/fonts/tahomabd.ttf"));
        const auto* data = reinterpret_cast<const char*>(resource.data());
        return QFontDatabase::addApplicationFontFromData(QByteArray::fromRawData(data, qsizetype(resource.size())));
    }();
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
    QApplication::setFont(tahomaBold(vendaro::layout::kBoxFontPixels));
}
