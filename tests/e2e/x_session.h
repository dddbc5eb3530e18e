#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>

#include <memory>
#include <utility>
#include <vector>

struct _XDisplay; // Xlib's Display: Xlib stays in the .cpp, its macros clash with Qt's names

// An X server of the test's own, a window manager where a check needs one,
// and the drill started on it as a pupil would start it. The session reads
// the drill's window the way a window manager or a screenshot tool does, and
// types and clicks through XTEST as if a keyboard and a mouse were plugged in.
// Every process runs in a process group of its own, dies if the test dies,
// and is ended with its whole group when the session goes.
class XSession {
public:
    using KeySym = unsigned long;
    enum class WindowManager { None, Xfwm4 };

    // `launcher`, if given, runs the drill: a memory checker, say.
    explicit XSession(WindowManager windowManager = WindowManager::None, const QStringList& launcher = {});
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Empty once the server, the window manager and the drill's window are up.
    const QString& error() const { return error_; }
    QProcess& program() { return *program_; }
    // Everything the drill wrote to its error stream, sanitizer reports included.
    QString programOutput() { return QString::fromLocal8Bit(program_->readAllStandardError()); }

    // The drill's window, its client area as it was first mapped, in root coordinates.
    QRect client() const { return client_; }
    QPoint toRoot(QPoint inClient) const { return client_.topLeft() + inClient; }
    QString text(const char* property);
    std::vector<unsigned long> cardinals(const char* property);
    QStringList atomNames(const char* property);
    std::pair<QSize, QSize> minimumAndMaximumSize(); // empty sizes where not hinted
    QRect geometry();                                // where the client area is now
    QSize screenSize();
    QImage largestIcon();

    struct Cursor {
        QImage image;
        QPoint hotSpot;
        QString name;
    };
    QImage grab(const QRect& rootArea);
    Cursor cursor();

    void moveTo(QPoint root);
    void click(int button);
    void key(KeySym keysym, bool down);
    void tap(KeySym keysym, const std::vector<KeySym>& held = {});
    void setNumLock(bool on);
    // Puts text on an X selection ("PRIMARY" or "CLIPBOARD") held by xclip.
    bool offerSelection(const char* selection, const QString& text);

    // What a window manager's close button sends, and what a pager asks of the window manager.
    void sendDeleteWindow();
    void requestClose();
    void requestMoveResize(const QRect& root);

private:
    QProcess& spawn(const QString& program, const QStringList& arguments);
    void sync();

    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment();
    std::vector<std::unique_ptr<QProcess>> processes_; // the server first
    _XDisplay* display_ = nullptr;
    QProcess* program_ = nullptr;
    unsigned long window_ = 0;
    QRect client_;
    QString error_;
};
