#include "app/key_codes.h"
#include "window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

class WindowInputRoutesTest : public QObject {
    Q_OBJECT

private slots:
    void keysGiveTheirCharacterCodes_data();
    void keysGiveTheirCharacterCodes();
    void noRouteButTypingPutsTextInABox();
    void inputMethodCommitsAreFilteredLikeKeys();
    void boxesHoldOnlyAsManyDigitsAsTheAnswer();
};

void WindowInputRoutesTest::keysGiveTheirCharacterCodes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code"); // -1: the key types no character

    const Qt::KeyboardModifiers none;
    QTest::newRow("digit") << int(Qt::Key_7) << none << "7" << int('7');
    QTest::newRow("keypad digit") << int(Qt::Key_3) << Qt::KeyboardModifiers(Qt::KeypadModifier) << "3" << int('3');
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << 8;
    QTest::newRow("return") << int(Qt::Key_Return) << none << "\r" << 13;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << "\r" << 13;
    QTest::newRow("escape") << int(Qt::Key_Escape) << none << "\x1b" << 27;
    QTest::newRow("ctrl+a") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ControlModifier) << "\x01" << 1;
    QTest::newRow("ctrl+v without text") << int(Qt::Key_V) << Qt::KeyboardModifiers(Qt::ControlModifier) << "" << 22;
    QTest::newRow("ctrl+shift+z") << int(Qt::Key_Z) << (Qt::ControlModifier | Qt::ShiftModifier) << "" << 26;
    QTest::newRow("letter") << int(Qt::Key_Q) << none << "q" << int('q');
    QTest::newRow("accented letter") << int(Qt::Key_Egrave) << none << QString(QChar(0xE8)) << 0xE8;
    QTest::newRow("code past 0x7FFF wraps negative") << int(Qt::Key_unknown) << none << QString(QChar(0xFFFD)) << -3;
    QTest::newRow("tab") << int(Qt::Key_Tab) << none << "\t" << -1;
    QTest::newRow("delete") << int(Qt::Key_Delete) << none << QString(QChar(127)) << -1;
    QTest::newRow("left arrow") << int(Qt::Key_Left) << none << "" << -1;
    QTest::newRow("shift alone") << int(Qt::Key_Shift) << Qt::KeyboardModifiers(Qt::ShiftModifier) << "" << -1;
    QTest::newRow("stray control text") << int(Qt::Key_BracketRight) << none << "\x1d" << -1;
}

void WindowInputRoutesTest::keysGiveTheirCharacterCodes()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(int, code);
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    const auto typed = characterCode(event);
    QCOMPARE(typed ? int(*typed) : -1, code);
}

// Paste, selection paste, drop, undo and the context menu all leave the box alone.
void WindowInputRoutesTest::noRouteButTypingPutsTextInABox()
{
    Drill drill;
    QVERIFY(drill.open());
    drill.newExercise();
    const int k = drill.focusBoxWithDigits(2);
    drill.type("1");
    QApplication::clipboard()->setText("12");
    if (QApplication::clipboard()->supportsSelection())
        QApplication::clipboard()->setText("12", QClipboard::Selection);

    drill.key(Qt::Key_V, Qt::ControlModifier);
    drill.key(Qt::Key_Insert, Qt::ShiftModifier);
    drill.key(Qt::Key_Z, Qt::ControlModifier);
    drill.key(Qt::Key_Y, Qt::ControlModifier);
    drill.click(drill.box(k)->geometry().center(), Qt::MiddleButton);
    QMimeData dropped;
    dropped.setText("12");
    const QPointF centre = QRectF(drill.box(k)->rect()).center();
    QDragEnterEvent enter(centre.toPoint(), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QApplication::sendEvent(drill.box(k), &enter);
    QDropEvent drop(centre, Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QApplication::sendEvent(drill.box(k), &drop);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, centre.toPoint(), drill.box(k)->mapToGlobal(centre.toPoint()));
    QApplication::sendEvent(drill.box(k), &menu);

    QCOMPARE(drill.box(k)->text(), QString("1"));
    QVERIFY(!QApplication::activePopupWidget());
    QCOMPARE(drill.visibleFace(), faces::waiting);
}

void WindowInputRoutesTest::inputMethodCommitsAreFilteredLikeKeys()
{
    Drill drill;
    QVERIFY(drill.open());
    drill.newExercise();
    const int k = drill.focusBoxWithDigits(2);

    QInputMethodEvent junk(QString("x"), {});
    junk.setCommitString(QString::fromUtf8("é-a1x"));
    QApplication::sendEvent(drill.box(k), &junk);
    QCOMPARE(drill.box(k)->text(), QString("1"));
    drill.key(Qt::Key_Backspace);

    QInputMethodEvent answer;
    answer.setCommitString(QString::number(drill.expected(k)));
    QApplication::sendEvent(drill.box(k), &answer);
    QCOMPARE(drill.box(k)->text(), QString::number(drill.expected(k)));
    QCOMPARE(drill.visibleFace(), faces::right);
}

// Moving the caret and typing in front never lets a box outgrow its answer.
void WindowInputRoutesTest::boxesHoldOnlyAsManyDigitsAsTheAnswer()
{
    Drill drill;
    QVERIFY(drill.open());
    drill.type("4211");
    QCOMPARE(drill.box(1)->text(), QString("1"));
    drill.newExercise();
    drill.box(1)->setFocus(Qt::MouseFocusReason);
    const int length = int(QString::number(drill.expected(1)).size());
    for (const QChar digit : QString("1234567")) {
        drill.key(Qt::Key_Home);
        drill.type(digit);
        QVERIFY(drill.box(1)->text().size() <= length);
        QVERIFY(drill.box(1)->text().startsWith(digit));
    }
}

QTEST_MAIN(WindowInputRoutesTest)
#include "test_window_input_routes.moc"
