#include "app/app_font.h"
#include "app/form1.h"
#include "app/held_keys.h"

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

    SystemRandom random;
    const SystemClock clock;
    Form1 form(random, clock);
    form.showCentred();
    return QApplication::exec();
}
