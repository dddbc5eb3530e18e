#include "held_keys.h"

#include <QGuiApplication>

#if defined(VENDARO_X11) && QT_CONFIG(xcb)
#include <X11/XKBlib.h>

void reportHeldKeysOnce(QGuiApplication& app)
{
    // The headless platform answers for X11 too, with no display when there is no X server.
    auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->display())
        XkbSetDetectableAutoRepeat(x11->display(), True, nullptr);
}
#else
void reportHeldKeysOnce(QGuiApplication&) {}
#endif
