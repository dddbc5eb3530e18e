#include "app/app_font.h"

#include <QFontDatabase>
#include <QStringList>

void ensureTahoma()
{
    // hasFamily() would accept fontconfig's substitute for Tahoma, so look for the real family.
    static const bool available = QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive) ||
                                  QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/tahomabd.ttf")) >= 0;
    Q_UNUSED(available);
}

QFont tahomaBold(int pixels)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    font.setWeight(QFont::Bold);
    return font;
}
