#pragma once

#include <QLineEdit>

#include <cstdint>

// What the window does with the events of an answer box.
class BoxEvents {
public:
    virtual ~BoxEvents() = default;
    virtual void gotFocus(int box, Qt::FocusReason reason) = 0;
    // Returns the code to insert, 0 for none.
    virtual std::int16_t keyPress(int box, std::int16_t keyChar) = 0;
    virtual void keyUp(int box) = 0;
};

// One answer box. Text reaches it only through the keystroke filter: typed
// keys and input-method commits go through BoxEvents::keyPress, while paste,
// drop, undo, redo and the context menu are shut off. Text changed any other
// way, such as through the accessibility interface, is typed again key by key.
class AnswerBox final : public QLineEdit {
    Q_OBJECT

public:
    AnswerBox(int number, BoxEvents& events, QWidget* parent);

    int number() const { return number_; }

    // The drill's own change of the text, which no filter sees.
    void replaceText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void type(std::int16_t keyChar);
    void typeAndRelease(std::int16_t keyChar);
    template <typename Change>
    void ownEdit(Change change);
    void retype(const QString& changed);

    int number_;
    BoxEvents& events_;
    QString accepted_; // the text as the filter last left it
    bool editing_ = false;
};
