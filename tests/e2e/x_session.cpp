#include "e2e/x_session.h"

#include <QDir>
#include <QtCore/qtestsupport_core.h>

#include <algorithm>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>
#include <X11/keysym.h>

namespace {

constexpr int kStartTimeoutMs = 60000;

// In the child: a process group of its own, so that everything it starts can
// be ended together, and death along with the test should the test die first.
void ownGroupDyingWithParent()
{
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
}

void endGroup(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    const auto group = static_cast<pid_t>(process.processId());
    ::kill(-group, SIGTERM);
    if (!process.waitForFinished(3000)) {
        ::kill(-group, SIGKILL);
        process.waitForFinished(3000);
    }
}

template <typename T>
using XOwned = std::unique_ptr<T, int (*)(void*)>;

// The items of a property of format 8 (T = char) or 32 (T = unsigned long,
// the type Xlib hands 32-bit items over in); nothing if the format differs.
template <typename T>
std::vector<T> readProperty(Display* display, ::Window window, const char* name)
{
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1 << 20, False, AnyPropertyType,
                           &type, &format, &items, &remaining, &data) != Success)
        return {};
    const XOwned<unsigned char> owned(data, XFree);
    if (!data || format != (sizeof(T) == 1 ? 8 : 32))
        return {};
    const auto* values = reinterpret_cast<const T*>(data);
    return {values, values + items};
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
    const XOwned<::Window> owned(children, XFree);
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        const auto pids = readProperty<unsigned long>(display, children[i], "_NET_WM_PID");
        if (!pids.empty() && static_cast<qint64>(pids.front()) == pid &&
            XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable)
            return children[i];
        if (const auto found = search(display, children[i], pid))
            return found;
    }
    return std::nullopt;
}

void sendMessage(Display* display, ::Window to, ::Window about, const char* type, long mask,
                 std::initializer_list<long> data)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = about;
    event.xclient.message_type = XInternAtom(display, type, False);
    event.xclient.format = 32;
    std::copy(data.begin(), data.end(), event.xclient.data.l);
    XSendEvent(display, to, False, mask, &event);
}

} // namespace

XSession::XSession(WindowManager windowManager, const QStringList& launcher)
{
    // Xvfb picks a free display itself and writes its number to the descriptor named.
    QProcess& server = spawn("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    const auto answered = [&] { return server.canReadLine() || server.state() == QProcess::NotRunning; };
    if (!QTest::qWaitFor(answered, kStartTimeoutMs) || !server.canReadLine()) {
        error_ = "Xvfb did not start: " + QString::fromLocal8Bit(server.readAllStandardError());
        return;
    }
    const QString display = u':' + QString::fromLatin1(server.readLine()).trimmed();
    environment_.insert("DISPLAY", display);
    environment_.insert("QT_QPA_PLATFORM", "xcb");
    environment_.remove("WAYLAND_DISPLAY");
    // Windows may vanish while being looked at; that is no reason to abort.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    if (!(display_ = XOpenDisplay(display.toLocal8Bit().constData()))) {
        error_ = "cannot connect to " + display;
        return;
    }
    const ::Window root = DefaultRootWindow(display_);

    if (windowManager == WindowManager::Xfwm4) {
        // xfwm4 keeps its settings behind D-Bus, so it gets a session bus of its own.
        spawn("dbus-run-session", {"--", "xfwm4", "--compositor=off", "--sm-client-disable"});
        const auto managed = [&] {
            return !readProperty<unsigned long>(display_, root, "_NET_SUPPORTING_WM_CHECK").empty();
        };
        if (!QTest::qWaitFor(managed, kStartTimeoutMs)) {
            error_ = "xfwm4 did not take over the screen";
            return;
        }
    }

    const QStringList command = launcher + QStringList{VENDARO_PROGRAM};
    program_ = &spawn(command.front(), command.mid(1));
    if (!program_->waitForStarted(kStartTimeoutMs)) {
        error_ = "the drill did not start: " + program_->errorString();
        return;
    }
    std::optional<::Window> window;
    const auto shown = [&] { return (window = search(display_, root, program_->processId())).has_value(); };
    if (!QTest::qWaitFor(shown, kStartTimeoutMs)) {
        error_ = "the drill showed no window: " + programOutput();
        return;
    }
    window_ = *window;
    client_ = geometry();
}

// The clients go first and the server last, so that no one loses its display while still holding it.
XSession::~XSession()
{
    for (std::size_t i = processes_.size(); i-- > 1;)
        endGroup(*processes_[i]);
    if (display_)
        XCloseDisplay(display_);
    if (!processes_.empty())
        endGroup(*processes_.front());
}

QProcess& XSession::spawn(const QString& program, const QStringList& arguments)
{
    auto& process = *processes_.emplace_back(std::make_unique<QProcess>());
    process.setProcessEnvironment(environment_);
    process.setWorkingDirectory(QDir::tempPath());
    process.setChildProcessModifier(ownGroupDyingWithParent);
    process.start(program, arguments);
    return process;
}

// Read as UTF-8: WM_NAME's Latin-1 agrees with it on the ASCII a title holds.
QString XSession::text(const char* property)
{
    const auto bytes = readProperty<char>(display_, window_, property);
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::vector<unsigned long> XSession::cardinals(const char* property)
{
    return readProperty<unsigned long>(display_, window_, property);
}

QStringList XSession::atomNames(const char* property)
{
    QStringList names;
    for (const unsigned long atom : cardinals(property))
        names << QString::fromLatin1(XOwned<char>(XGetAtomName(display_, atom), XFree).get());
    return names;
}

std::pair<QSize, QSize> XSession::minimumAndMaximumSize()
{
    XSizeHints hints{};
    long supplied = 0;
    XGetWMNormalHints(display_, window_, &hints, &supplied);
    return {hints.flags & PMinSize ? QSize(hints.min_width, hints.min_height) : QSize(),
            hints.flags & PMaxSize ? QSize(hints.max_width, hints.max_height) : QSize()};
}

QRect XSession::geometry()
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window_, &attributes))
        return {};
    int x = 0;
    int y = 0;
    ::Window child = 0;
    XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

QSize XSession::screenSize() { return {DisplayWidth(display_, 0), DisplayHeight(display_, 0)}; }

// _NET_WM_ICON holds width, height and ARGB pixels for each size in turn.
QImage XSession::largestIcon()
{
    const auto values = cardinals("_NET_WM_ICON");
    QImage largest;
    for (std::size_t at = 0; at + 2 <= values.size();) {
        const auto width = static_cast<int>(values[at]);
        const auto height = static_cast<int>(values[at + 1]);
        const std::size_t pixels = values[at] * values[at + 1];
        if (width <= 0 || height <= 0 || at + 2 + pixels > values.size())
            break;
        QImage image(width, height, QImage::Format_ARGB32);
        for (std::size_t i = 0; i < pixels; ++i)
            image.setPixel(static_cast<int>(i) % width, static_cast<int>(i) / width,
                           static_cast<QRgb>(values[at + 2 + i]));
        if (width > largest.width())
            largest = image;
        at += 2 + pixels;
    }
    return largest;
}

QImage XSession::grab(const QRect& rootArea)
{
    XImage* shot = XGetImage(display_, DefaultRootWindow(display_), rootArea.x(), rootArea.y(),
                             static_cast<unsigned>(rootArea.width()), static_cast<unsigned>(rootArea.height()),
                             AllPlanes, ZPixmap);
    if (!shot)
        return {};
    // Xvfb's 24-bit screen keeps a pixel in 32 bits, laid out as Qt's RGB32.
    const QImage image = QImage(reinterpret_cast<const uchar*>(shot->data), rootArea.width(), rootArea.height(),
                                shot->bytes_per_line, QImage::Format_RGB32)
                             .copy();
    XDestroyImage(shot);
    return image;
}

XSession::Cursor XSession::cursor()
{
    const XOwned<XFixesCursorImage> shot(XFixesGetCursorImage(display_), XFree);
    if (!shot)
        return {};
    QImage image(shot->width, shot->height, QImage::Format_ARGB32);
    for (int y = 0; y < shot->height; ++y)
        for (int x = 0; x < shot->width; ++x)
            image.setPixel(x, y, static_cast<QRgb>(shot->pixels[y * shot->width + x]));
    return {image, QPoint(shot->xhot, shot->yhot), QString::fromLatin1(shot->name ? shot->name : "")};
}

void XSession::moveTo(QPoint root)
{
    XTestFakeMotionEvent(display_, 0, root.x(), root.y(), CurrentTime);
    sync();
}

void XSession::click(int button)
{
    for (const Bool down : {True, False})
        XTestFakeButtonEvent(display_, static_cast<unsigned>(button), down, CurrentTime);
    sync();
}

void XSession::key(KeySym keysym, bool down)
{
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, keysym), down ? True : False, CurrentTime);
    sync();
}

void XSession::tap(KeySym keysym, const std::vector<KeySym>& held)
{
    for (const KeySym modifier : held)
        key(modifier, true);
    key(keysym, true);
    key(keysym, false);
    for (auto modifier = held.rbegin(); modifier != held.rend(); ++modifier)
        key(*modifier, false);
}

void XSession::setNumLock(bool on)
{
    const unsigned int mask = XkbKeysymToModifiers(display_, XK_Num_Lock);
    XkbLockModifiers(display_, XkbUseCoreKbd, mask, on ? mask : 0);
    sync();
}

void XSession::sync() { XSync(display_, False); }

void XSession::sendDeleteWindow()
{
    const auto deleteWindow = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    sendMessage(display_, window_, window_, "WM_PROTOCOLS", NoEventMask, {deleteWindow, CurrentTime});
    sync();
}

void XSession::requestClose()
{
    // Source indication 2: a pager, a request the window manager always honours.
    sendMessage(display_, DefaultRootWindow(display_), window_, "_NET_CLOSE_WINDOW",
                SubstructureRedirectMask | SubstructureNotifyMask, {CurrentTime, 2});
    sync();
}

void XSession::requestMoveResize(const QRect& root)
{
    XMoveResizeWindow(display_, window_, root.x(), root.y(), static_cast<unsigned>(root.width()),
                      static_cast<unsigned>(root.height()));
    sync();
}

bool XSession::offerSelection(const char* selection, const QString& text)
{
    QProcess& xclip = spawn("xclip", {"-quiet", "-selection", QString::fromLatin1(selection).toLower()});
    xclip.waitForStarted(kStartTimeoutMs);
    xclip.write(text.toUtf8());
    xclip.waitForBytesWritten(kStartTimeoutMs);
    xclip.closeWriteChannel();
    return QTest::qWaitFor([&] { return XGetSelectionOwner(display_, XInternAtom(display_, selection, False)) != 0; },
                           kStartTimeoutMs);
}
