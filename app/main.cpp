#include "app_font.h"
#include "form1.h"
#include "held_keys.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vendaro"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vendaro.Vendaro"));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    reportHeldKeysOnce(app);

    useTahomaByDefault();

    vendaro::SystemRandom random;
    const vendaro::SystemClock clock;
    Form1 form(random, clock);
    form.showCentred();
    return QApplication::exec();
}
