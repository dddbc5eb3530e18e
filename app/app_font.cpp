#include "app_font.h"

#include "assets_log.h"
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
        const int id =
            QFontDatabase::addApplicationFontFromData(QByteArray::fromRawData(data, qsizetype(resource.size())));
        // The captions then come out in a system face, in places laid out for this one.
        if (id < 0)
            qCWarning(assetsLog, "the built-in face %s did not register", qUtf8Printable(resource.fileName()));
        return id;
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
