#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

// A connection to an X server that looks at windows the way a window manager
// or a screenshot tool does and types and clicks through the XTEST extension,
// as if a keyboard and a mouse were plugged in. Xlib stays inside the .cpp:
// its macros clash with Qt's names.
class XClient {
public:
    using Window = unsigned long;
    using KeySym = unsigned long;

    struct SizeHints {
        QSize minimum;
        QSize maximum;
    };

    struct Cursor {
        QImage image;
        QPoint hotSpot;
        QString name;
    };

    explicit XClient(const QString& display);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    bool connected() const;

    // The viewable top-level window of process `pid`, once it is mapped.
    std::optional<Window> findWindowOf(qint64 pid, int timeoutMs);
    bool windowManagerRunning();

    QString title(Window window);
    QString legacyTitle(Window window);
    std::optional<SizeHints> sizeHints(Window window);
    QRect geometry(Window window); // client area, in root coordinates
    QSize screenSize();
    std::vector<unsigned long> cardinals(Window window, const char* property);
    QStringList atomNames(Window window, const char* property);
    // The images of _NET_WM_ICON, largest last.
    std::vector<QImage> icons(Window window);

    QImage grab(const QRect& rootArea);
    Cursor cursor();
    bool selectionOwned(const char* selection);

    void moveTo(QPoint root);
    void button(int number, bool down);
    void click(int number);
    void key(KeySym keysym, bool down);
    void tap(KeySym keysym, const std::vector<KeySym>& held = {});
    void setNumLock(bool on);
    void sync();

    // What a window manager's close button does, and what a pager asks of the window manager.
    void sendDeleteWindow(Window window);
    void requestClose(Window window);
    void requestMoveResize(Window window, const QRect& root);

private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};
