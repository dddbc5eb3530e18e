#include "held_keys.h"

#include <QGuiApplication>

#if defined(VENDARO_X11) && QT_CONFIG(xcb)
#include <X11/XKBlib.h>

void reportHeldKeysOnce(QGuiApplication& app)
{
    if (auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>())
        XkbSetDetectableAutoRepeat(x11->display(), True, nullptr);
}
#else
void reportHeldKeysOnce(QGuiApplication&) {}
#endif
