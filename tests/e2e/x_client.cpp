#include "e2e/x_client.h"

#include <QDeadlineTimer>
#include <QThread>

#include <algorithm>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>
#include <X11/keysym.h>

struct XClient::Connection {
    Display* display = nullptr;
};

namespace {

template <typename T>
struct XFreeDeleter {
    void operator()(T* data) const
    {
        if (data)
            XFree(data);
    }
};

template <typename T>
using XOwned = std::unique_ptr<T, XFreeDeleter<T>>;

struct Property {
    XOwned<unsigned char> data;
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
};

Property readProperty(Display* display, ::Window window, const char* name)
{
    Property property;
    unsigned char* data = nullptr;
    unsigned long remaining = 0;
    const Atom atom = XInternAtom(display, name, False);
    if (XGetWindowProperty(display, window, atom, 0, 1 << 20, False, AnyPropertyType, &property.type, &property.format,
                           &property.items, &remaining, &data) == Success)
        property.data.reset(data);
    return property;
}

// 32-bit properties come to the client as an array of longs.
std::vector<unsigned long> longs(const Property& property)
{
    if (!property.data || property.format != 32)
        return {};
    const auto* values = reinterpret_cast<const unsigned long*>(property.data.get());
    return {values, values + property.items};
}

std::optional<qint64> pidOf(Display* display, ::Window window)
{
    const auto values = longs(readProperty(display, window, "_NET_WM_PID"));
    if (values.empty())
        return std::nullopt;
    return static_cast<qint64>(values.front());
}

bool viewable(Display* display, ::Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

// Depth first: under a reparenting window manager the client sits in a frame.
std::optional<::Window> search(Display* display, ::Window parent, qint64 pid)
{
    ::Window root = 0;
    ::Window ancestor = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &ancestor, &children, &count))
        return std::nullopt;
    const XOwned<::Window> owned(children);
    for (unsigned int i = 0; i < count; ++i) {
        if (pidOf(display, children[i]) == pid && viewable(display, children[i]))
            return children[i];
        if (const auto found = search(display, children[i], pid))
            return found;
    }
    return std::nullopt;
}

void sendToRoot(Display* display, ::Window window, const char* message, const std::vector<long>& data)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, message, False);
    event.xclient.format = 32;
    for (std::size_t i = 0; i < data.size() && i < 5; ++i)
        event.xclient.data.l[i] = data[i];
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

int errorIgnored(Display*, XErrorEvent*) { return 0; }

} // namespace

XClient::XClient(const QString& display) : connection_(std::make_unique<Connection>())
{
    // Windows may vanish while being looked at; that is no reason to abort.
    XSetErrorHandler(errorIgnored);
    connection_->display = XOpenDisplay(display.toLocal8Bit().constData());
}

XClient::~XClient()
{
    if (connection_->display)
        XCloseDisplay(connection_->display);
}

bool XClient::connected() const { return connection_->display != nullptr; }

std::optional<XClient::Window> XClient::findWindowOf(qint64 pid, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    do {
        if (const auto window = search(connection_->display, DefaultRootWindow(connection_->display), pid))
            return *window;
        QThread::msleep(20);
    } while (!deadline.hasExpired());
    return std::nullopt;
}

bool XClient::windowManagerRunning()
{
    return !longs(
                readProperty(connection_->display, DefaultRootWindow(connection_->display), "_NET_SUPPORTING_WM_CHECK"))
                .empty();
}

QString XClient::title(Window window)
{
    const Property property = readProperty(connection_->display, window, "_NET_WM_NAME");
    return QString::fromUtf8(reinterpret_cast<const char*>(property.data.get()),
                             static_cast<qsizetype>(property.items));
}

QString XClient::legacyTitle(Window window)
{
    const Property property = readProperty(connection_->display, window, "WM_NAME");
    return QString::fromLatin1(reinterpret_cast<const char*>(property.data.get()),
                               static_cast<qsizetype>(property.items));
}

std::optional<XClient::SizeHints> XClient::sizeHints(Window window)
{
    XSizeHints hints{};
    long supplied = 0;
    if (!XGetWMNormalHints(connection_->display, window, &hints, &supplied))
        return std::nullopt;
    SizeHints result;
    if (hints.flags & PMinSize)
        result.minimum = QSize(hints.min_width, hints.min_height);
    if (hints.flags & PMaxSize)
        result.maximum = QSize(hints.max_width, hints.max_height);
    return result;
}

QRect XClient::geometry(Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(connection_->display, window, &attributes))
        return {};
    int x = 0;
    int y = 0;
    ::Window child = 0;
    XTranslateCoordinates(connection_->display, window, DefaultRootWindow(connection_->display), 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

QSize XClient::screenSize()
{
    const int screen = DefaultScreen(connection_->display);
    return {DisplayWidth(connection_->display, screen), DisplayHeight(connection_->display, screen)};
}

std::vector<unsigned long> XClient::cardinals(Window window, const char* property)
{
    return longs(readProperty(connection_->display, window, property));
}

QStringList XClient::atomNames(Window window, const char* property)
{
    QStringList names;
    for (const unsigned long atom : cardinals(window, property)) {
        const XOwned<char> name(XGetAtomName(connection_->display, atom));
        names << QString::fromLatin1(name.get());
    }
    return names;
}

std::vector<QImage> XClient::icons(Window window)
{
    const auto values = cardinals(window, "_NET_WM_ICON");
    std::vector<QImage> images;
    for (std::size_t at = 0; at + 2 <= values.size();) {
        const auto width = static_cast<int>(values[at]);
        const auto height = static_cast<int>(values[at + 1]);
        const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
        if (width <= 0 || height <= 0 || at + 2 + pixels > values.size())
            break;
        QImage image(width, height, QImage::Format_ARGB32);
        for (std::size_t i = 0; i < pixels; ++i)
            image.setPixel(static_cast<int>(i) % width, static_cast<int>(i) / width,
                           static_cast<QRgb>(values[at + 2 + i]));
        images.push_back(image);
        at += 2 + pixels;
    }
    std::sort(images.begin(), images.end(), [](const QImage& a, const QImage& b) { return a.width() < b.width(); });
    return images;
}

QImage XClient::grab(const QRect& rootArea)
{
    XImage* shot = XGetImage(connection_->display, DefaultRootWindow(connection_->display), rootArea.x(), rootArea.y(),
                             static_cast<unsigned>(rootArea.width()), static_cast<unsigned>(rootArea.height()),
                             AllPlanes, ZPixmap);
    if (!shot)
        return {};
    QImage image(rootArea.size(), QImage::Format_RGB32);
    for (int y = 0; y < rootArea.height(); ++y)
        for (int x = 0; x < rootArea.width(); ++x)
            image.setPixel(x, y, static_cast<QRgb>(XGetPixel(shot, x, y) & 0xFFFFFF));
    XDestroyImage(shot);
    return image;
}

XClient::Cursor XClient::cursor()
{
    const XOwned<XFixesCursorImage> shot(XFixesGetCursorImage(connection_->display));
    if (!shot)
        return {};
    Cursor cursor;
    cursor.image = QImage(shot->width, shot->height, QImage::Format_ARGB32);
    for (int y = 0; y < shot->height; ++y)
        for (int x = 0; x < shot->width; ++x)
            cursor.image.setPixel(x, y, static_cast<QRgb>(shot->pixels[y * shot->width + x]));
    cursor.hotSpot = QPoint(shot->xhot, shot->yhot);
    cursor.name = QString::fromLatin1(shot->name ? shot->name : "");
    return cursor;
}

bool XClient::selectionOwned(const char* selection)
{
    return XGetSelectionOwner(connection_->display, XInternAtom(connection_->display, selection, False)) != 0;
}

void XClient::moveTo(QPoint root)
{
    XTestFakeMotionEvent(connection_->display, DefaultScreen(connection_->display), root.x(), root.y(), CurrentTime);
    sync();
}

void XClient::button(int number, bool down)
{
    XTestFakeButtonEvent(connection_->display, static_cast<unsigned>(number), down ? True : False, CurrentTime);
    sync();
}

void XClient::click(int number)
{
    button(number, true);
    button(number, false);
}

void XClient::key(KeySym keysym, bool down)
{
    const KeyCode code = XKeysymToKeycode(connection_->display, keysym);
    XTestFakeKeyEvent(connection_->display, code, down ? True : False, CurrentTime);
    sync();
}

void XClient::tap(KeySym keysym, const std::vector<KeySym>& held)
{
    for (const KeySym modifier : held)
        key(modifier, true);
    key(keysym, true);
    key(keysym, false);
    for (auto modifier = held.rbegin(); modifier != held.rend(); ++modifier)
        key(*modifier, false);
}

void XClient::setNumLock(bool on)
{
    const unsigned int mask = XkbKeysymToModifiers(connection_->display, XK_Num_Lock);
    XkbLockModifiers(connection_->display, XkbUseCoreKbd, mask, on ? mask : 0);
    sync();
}

void XClient::sync() { XSync(connection_->display, False); }

void XClient::sendDeleteWindow(Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(connection_->display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(connection_->display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(connection_->display, window, False, NoEventMask, &event);
    sync();
}

void XClient::requestClose(Window window)
{
    sendToRoot(connection_->display, window, "_NET_CLOSE_WINDOW", {CurrentTime, 2});
    sync();
}

void XClient::requestMoveResize(Window window, const QRect& root)
{
    XMoveResizeWindow(connection_->display, window, root.x(), root.y(), static_cast<unsigned>(root.width()),
                      static_cast<unsigned>(root.height()));
    sync();
}
