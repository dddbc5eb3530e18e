// The window offscreen: its controls as laid out, what it paints, a whole
// exercise played through it, every route into a box other than a typed key,
// and a seeded storm of random input.
#include "held_keys.h"
#include "pictures.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QMimeData>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <random>

using namespace vendaro;

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    // A desktop theme of its own colours must not show anywhere on the board.
    void initTestCase() { QApplication::setPalette(QPalette(QColor(0x30, 0x10, 0x40))); }
    void controlsAsLaidOut_data();
    void controlsAsLaidOut();
    void paintsItsColours_data();
    void paintsItsColours();
    void captionsHaveABoldStroke();
    void stackingTabOrderAndPictureSizes();
    void brokenPictureIsSaidOnce();
    void playsAWholeExercise();
    void heldKeyIsJudgedOnceAndHalfAnswersGoOn();
    void noRouteButTypingPutsTextInABox_data();
    void noRouteButTypingPutsTextInABox();
    void caretKeysMoveWhereADigitGoes_data();
    void caretKeysMoveWhereADigitGoes();
    void commitsAndAccessibleEditsAreTyped();
    void clicksAreLeftPressesAndReleasesOverOneArea();
    void invariantsHoldUnderRandomInput();
};

void WindowTest::controlsAsLaidOut_data()
{
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("fontPixels");
    QTest::addColumn<char>("pointer"); // arrow, writing hand, I-beam, pointing hand

    QTest::newRow("Text1") << QRect(120, 152, 65, 65) << "" << 37 << 'w';
    QTest::newRow("Text20") << QRect(312, 408, 65, 65) << "" << 37 << 'w';
    QTest::newRow("Text21") << QRect(480, 152, 65, 65) << "" << 37 << 'i';
    QTest::newRow("Label1") << QRect(56, 88, 65, 65) << "+" << 37 << 'a';
    QTest::newRow("Label11") << QRect(416, 88, 65, 65) << "-" << 48 << 'a';
    QTest::newRow("Label6") << QRect(56, 152, 65, 65) << "" << 37 << 'a';
    QTest::newRow("Label21") << QRect(48, 32, 689, 33) << "COMPLETA LE SEGUENTI TABELLE" << 21 << 'a';
    QTest::newRow("Label22") << QRect(40, 520, 57, 49) << "" << 0 << 'p';
    QTest::newRow("Label23") << QRect(120, 520, 41, 41) << "" << 0 << 'p';
    QTest::newRow("Label24") << QRect(72, 480, 81, 25) << "ESATTE:" << 19 << 'a';
    QTest::newRow("Label31") << QRect(648, 480, 73, 25) << "" << 19 << 'a';
    QTest::newRow("Image5") << QRect(376, 488, 48, 48) << "" << 0 << 'a';
}

void WindowTest::controlsAsLaidOut()
{
    QFETCH(QRect, place);
    QFETCH(QString, caption);
    QFETCH(int, fontPixels);
    QFETCH(char, pointer);
    Drill drill;
    QWidget* control = drill.control(QTest::currentDataTag());
    QCOMPARE(control->geometry(), place);
    if (auto* label = qobject_cast<QLabel*>(control))
        QCOMPARE(label->text(), caption);
    const QFontInfo font(control->font());
    QVERIFY(!fontPixels || (font.family() == "Tahoma" && font.bold() && font.pixelSize() == fontPixels));
    if (pointer == 'w' || pointer == 'p') {
        const QCursor hand = pointer == 'w' ? pictures::writingHandCursor(1) : pictures::pointingHandCursor(1);
        QCOMPARE(control->cursor().pixmap().toImage(), hand.pixmap().toImage());
        QCOMPARE(control->cursor().hotSpot(), pointer == 'w' ? QPoint(2, 11) : QPoint(12, 1));
    }
    else {
        QCOMPARE(control->cursor().shape(), pointer == 'i' ? Qt::IBeamCursor : Qt::ArrowCursor);
    }
}

void WindowTest::paintsItsColours_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("board's first pixel") << QPoint(14, 12) << 0x008080u;
    QTest::newRow("corner") << QPoint(60, 148) << 0xFFFF80u;
    QTest::newRow("column header") << QPoint(124, 148) << 0xFFFFC0u;
    QTest::newRow("box") << QPoint(124, 212) << 0xC0FFFFu;
    QTest::newRow("box border, top") << QPoint(340, 408) << 0x808080u;
    QTest::newRow("box border, bottom outer") << QPoint(340, 472) << 0xFFFFFFu;
    QTest::newRow("subtraction arrow, no head") << QPoint(398, 206) << 0xFFFFFFu;
    QTest::newRow("face") << QPoint(400, 512) << 0xFFFF00u;
    QTest::newRow("around the face") << QPoint(377, 489) << 0x008080u;
}

void WindowTest::paintsItsColours()
{
    QFETCH(QPoint, point);
    QFETCH(QRgb, colour);
    Drill drill;
    QVERIFY(drill.open());
    QCOMPARE(drill.form.grab().toImage().pixelColor(point), QColor(colour));
}

// Wine's Tahoma Bold draws the "+" at 37 px with the stroke of its regular
// face, about 3 px; a true bold one is at least 1.4 times as heavy.
void WindowTest::captionsHaveABoldStroke()
{
    Drill drill;
    const QImage plus = drill.label(1)->grab().toImage();
    std::vector<double> inkPerRow;
    for (int y = 2; y < 63; ++y) {
        double ink = 0;
        for (int x = 2; x < 63; ++x)
            ink += (255 - qRed(plus.pixel(x, y))) / 255.0;
        if (ink > 0.5)
            inkPerRow.push_back(ink);
    }
    std::sort(inkPerRow.begin(), inkPerRow.end());
    QVERIFY(inkPerRow.size() > 20 && inkPerRow[inkPerRow.size() / 2] >= 4.3);
}

// Squares on a 64 px pitch share a line, which the square further forward covers.
void WindowTest::stackingTabOrderAndPictureSizes()
{
    Drill drill;
    QVERIFY(drill.open());
    for (const char* face : {"Image3", "Image4", "Image5"})
        drill.control(face)->show();
    const std::pair<QPoint, const char*> fronts[] = {
        {{184, 160}, "Text2"},  {{130, 216}, "Text5"},   {{184, 100}, "Label3"}, {{120, 160}, "Text1"},
        {{60, 100}, "Image1"},  {{420, 100}, "Label11"}, {{100, 50}, "Label21"}, {{400, 510}, "Image5"},
        {{60, 540}, "Label22"}, {{140, 540}, "Label23"}};
    for (const auto& [point, name] : fronts)
        QCOMPARE(drill.form.childAt(point)->objectName(), QString(name));

    drill.key(Qt::Key_Tab, Qt::ShiftModifier); // the whole cycle is played below
    QCOMPARE(QApplication::focusWidget(), drill.box(40));

    // Pictures are drawn at the size of their places.
    for (int image = 1; image <= 5; ++image)
        QCOMPARE(pictures::pixmap(layout::pictureOfImage(image), 2).size(),
                 drill.control(QString("Image%1").arg(image))->size() * 2);
    // The window's icon is drawn for each size a desktop asks of a program's icon, none scaled.
    const QList<QSize> iconSizes{{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}};
    QCOMPARE(drill.form.windowIcon().availableSizes(), iconSizes);
}

// A picture that does not load is said once, however often it is asked for.
void WindowTest::brokenPictureIsSaidOnce()
{
    const QRegularExpression said("^cannot load the picture :/pictures/missing\\.svg$");
    QTest::ignoreMessage(QtWarningMsg, said);
    QTest::failOnWarning(said);
    for (const qreal ratio : {1.0, 2.0})
        pictures::rendered(":/pictures/missing.svg", {48, 48}, ratio);
}

// Every box answered from the keyboard, Tab moving on, as a pupil plays.
void WindowTest::playsAWholeExercise()
{
    Drill drill;
    QVERIFY(drill.open());
    QCOMPARE(drill.face(), faces::waiting);
    QCOMPARE(QApplication::focusWidget(), drill.box(1));
    const auto said = [](QWidget* control, QAccessible::Text text = QAccessible::Name) {
        return QAccessible::queryAccessibleInterface(control)->text(text);
    };
    drill.newExercise();
    QCOMPARE(drill.caption(27), QString("20"));
    QCOMPARE(said(drill.label(22)), QString("Nuovo esercizio"));

    // Text1 wrong, then right at the second attempt.
    const QString first = drill.expected(1);
    drill.type(first.left(first.size() - 1) + QString::number((first.back().digitValue() + 1) % 10));
    QCOMPARE(std::tuple(drill.face(), drill.ink(1), said(drill.box(1), QAccessible::Description)),
             std::tuple(faces::wrong, QColor(0xFF0000), QString("Sbagliato")));
    drill.type(first);
    QCOMPARE(std::tuple(drill.face(), drill.ink(1), drill.caption(25)),
             std::tuple(faces::right, QColor(0x008000), QString()));

    for (int k = 2; k <= kCellCount; ++k) {
        drill.key(Qt::Key_Tab);
        QCOMPARE(drill.face(), faces::waiting);
        const Cell cell = cellAt(k);
        const QString sign = cell.table == Table::Addition ? " più " : " meno ";
        QCOMPARE(said(drill.box(k)), drill.caption(cell.rowHeaderLabel) + sign + drill.caption(cell.columnHeaderLabel));
        drill.type(drill.expected(k));
        QCOMPARE(std::pair(drill.face(), drill.ink(k)), std::pair(faces::right, QColor(0x0000C0)));
    }
    QVERIFY(drill.label(22)->isEnabled());
    QCOMPARE(QStringList({drill.caption(25), drill.caption(29)}), QStringList({"19", "20"}));

    // The next exercise keeps scores and focus, and ignores the chalk box until it is done.
    drill.newExercise();
    QCOMPARE(QStringList({drill.caption(31), drill.caption(25), drill.box(1)->text()}), QStringList({"40", "19", ""}));
    QCOMPARE(QApplication::focusWidget(), drill.box(kCellCount));
    const QString header = drill.caption(2);
    drill.type("1");
    drill.newExercise();
    QCOMPARE(QStringList({drill.caption(27), drill.caption(2)}), QStringList({"40", header}));
}

// Auto-repeat presses a digit again and again but releases it once; a
// half-typed answer left with Tab goes on where it stopped.
void WindowTest::heldKeyIsJudgedOnceAndHalfAnswersGoOn()
{
    // Run with no X server (DISPLAY empty), as a headless machine runs the program.
    reportHeldKeysOnce(*qApp);
    Drill drill;
    QVERIFY(drill.open());
    drill.newExercise();
    int k = drill.clickBoxWithDigits(1);
    const QChar digit = drill.expected(k).front();
    const auto key = Qt::Key(digit.unicode());
    for (int repeat = 0; repeat < 3; ++repeat)
        QTest::sendKeyEvent(QTest::Press, drill.window(), key, digit, Qt::NoModifier);
    QKeyEvent repeated(QEvent::KeyRelease, key, Qt::NoModifier, digit, true);
    QApplication::sendEvent(drill.box(k), &repeated);
    QCOMPARE(drill.face(), faces::waiting);
    QTest::sendKeyEvent(QTest::Release, drill.window(), key, digit, Qt::NoModifier);
    QCOMPARE(std::pair(drill.face(), drill.ink(k)), std::pair(faces::right, QColor(0x0000C0)));

    k = drill.clickBoxWithDigits(2);
    drill.type(drill.expected(k).left(1));
    for (const auto& [away, back] :
         {std::pair{Qt::NoModifier, Qt::ShiftModifier}, {Qt::ShiftModifier, Qt::NoModifier}}) {
        drill.key(Qt::Key_Tab, away);
        drill.key(Qt::Key_Tab, back);
        QVERIFY(!drill.box(k)->hasSelectedText() && drill.box(k)->cursorPosition() == 1);
    }
    QTest::keyClick(drill.window(), Qt::Key(drill.expected(k).back().unicode()), Qt::KeypadModifier);
    QCOMPARE(std::pair(drill.box(k)->text(), drill.face()), std::pair(drill.expected(k), faces::right));
}

void WindowTest::noRouteButTypingPutsTextInABox_data()
{
    QTest::addColumn<QKeySequence>("keys"); // none: the route the row names
    for (const char* keys : {"Ctrl+V", "Shift+Ins", "Shift+Del", "Ctrl+X", "Ctrl+Z", "Ctrl+Y", "Ctrl+Shift+Z"})
        QTest::newRow(keys) << QKeySequence(keys);
    for (const char* route : {"middle button", "drop", "context menu"})
        QTest::newRow(route) << QKeySequence();
}

// Half of a two-digit answer, selected: any route that got through would change
// it or take it to the clipboard.
void WindowTest::noRouteButTypingPutsTextInABox()
{
    QFETCH(QKeySequence, keys);
    const QString route = QTest::currentDataTag();
    Drill drill;
    QVERIFY(drill.open());
    drill.newExercise();
    QLineEdit* box = drill.box(drill.clickBoxWithDigits(2));
    drill.type("1");
    drill.key(Qt::Key_Home, Qt::ShiftModifier);
    QApplication::clipboard()->setText("12");
    const QPoint centre = box->rect().center();
    QMimeData dropped;
    dropped.setText("12");
    QDragEnterEvent enter(centre, Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QDropEvent drop(centre, Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, centre, box->mapToGlobal(centre));
    if (!keys.isEmpty())
        QTest::keySequence(drill.window(), keys);
    else if (route == "middle button")
        drill.click(box->geometry().center(), Qt::MiddleButton);
    else if (route == "drop") {
        QApplication::sendEvent(box, &enter);
        QApplication::sendEvent(box, &drop);
    }
    else
        QApplication::sendEvent(box, &menu);
    QCOMPARE(std::tuple(box->text(), QApplication::clipboard()->text(), drill.face()),
             std::tuple(QString("1"), QString("12"), faces::waiting));
}

void WindowTest::caretKeysMoveWhereADigitGoes_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("text"); // after "1", the keys, then "2"
    for (const auto& [keys, text] :
         {std::pair{"Left", "21"}, {"Home", "21"}, {"Home, Right", "12"}, {"Home, End", "12"}})
        QTest::newRow(keys) << QKeySequence(keys) << QString(text);
}

// The caret keys still work in a half-typed two-digit answer.
void WindowTest::caretKeysMoveWhereADigitGoes()
{
    QFETCH(QKeySequence, keys);
    QFETCH(QString, text);
    Drill drill;
    QVERIFY(drill.open());
    drill.newExercise();
    QLineEdit* box = drill.box(drill.clickBoxWithDigits(2));
    drill.type("1");
    QTest::keySequence(drill.window(), keys);
    drill.type("2");
    QCOMPARE(box->text(), text);
}

// Text from an input method or an assistive tool is typed character by
// character, each one pressed and released, through the same filter as keys.
void WindowTest::commitsAndAccessibleEditsAreTyped()
{
    Drill drill;
    QVERIFY(drill.open());
    drill.newExercise();
    const int k = drill.clickBoxWithDigits(2);
    QLineEdit* box = drill.box(k);
    QInputMethodEvent commit(QString("x"), {});
    commit.setCommitString(QString::fromUtf8("é-a1x"));
    QApplication::sendEvent(box, &commit);
    QCOMPARE(box->text(), QString("1"));

    QAccessibleEditableTextInterface* edit = QAccessible::queryAccessibleInterface(box)->editableTextInterface();
    edit->replaceText(0, 1, "ab7");
    QCOMPARE(box->text(), QString("7"));
    edit->insertText(1, "7");
    QCOMPARE(drill.face(), faces::wrong);
    edit->deleteText(0, 2);
    edit->insertText(0, drill.expected(k));
    QCOMPARE(box->text(), drill.expected(k));
    QCOMPARE(drill.face(), faces::right);
}

// A right click, or a press dragged off before its release, neither draws an
// exercise nor ends the program; Ctrl with a letter is a key like any other,
// and empties a full box.
void WindowTest::clicksAreLeftPressesAndReleasesOverOneArea()
{
    Drill drill;
    QVERIFY(drill.open());
    QEventLoop running; // ending the program ends it
    bool ended = true;
    QTimer::singleShot(0, &running, [&] {
        for (const QPoint area : {QPoint(60, 540), QPoint(140, 540)}) {
            drill.click(area, Qt::RightButton);
            QTest::mousePress(drill.window(), Qt::LeftButton, {}, area);
            QTest::mouseRelease(drill.window(), Qt::LeftButton, {}, {400, 16});
        }
        ended = !running.isRunning();
        running.quit();
    });
    running.exec();
    QVERIFY(!ended && drill.caption(27).isEmpty());
    drill.newExercise();
    const QString answer = drill.expected(1);
    drill.type(answer.left(answer.size() - 1) + QString::number((answer.back().digitValue() + 1) % 10));
    QCOMPARE(drill.ink(1), QColor(0xFF0000));
    // As X11 has it, Ctrl+Z types the control character 26.
    QTest::sendKeyEvent(QTest::Click, drill.window(), Qt::Key_Z, QChar(26), Qt::ControlModifier);
    QCOMPARE(std::pair(drill.box(1)->text(), drill.ink(1)), std::pair(QString(), QColor(0x0000C0)));
}

namespace {

// One random event: keys tapped or held, editing and clipboard keys, clicks
// anywhere but on the disc, or a digit put in every box.
void stormStep(Drill& drill, std::mt19937& random)
{
    const auto below = [&](int n) { return int(random() % unsigned(n)); };
    const auto digit = Qt::Key(Qt::Key_0 + below(10));
    QPoint point(below(792), below(566));
    if (QRect(120, 520, 41, 41).contains(point))
        point = {60, 540};
    const char* keys[] = {"Ctrl+V",     "Shift+Ins", "Shift+Del", "Ctrl+X", "Ctrl+Z",
                          "Shift+Home", "Del",       "Backspace", "A",      "-"};
    switch (below(12)) {
    case 0: // held down: repeated presses, one release
        for (int n = below(3); n >= 0; --n)
            QTest::sendKeyEvent(QTest::Press, drill.window(), digit, QChar(digit), {});
        return QTest::sendKeyEvent(QTest::Release, drill.window(), digit, QChar(digit), {});
    case 1:
    case 2:
        return drill.key(Qt::Key_Tab, below(3) ? Qt::NoModifier : Qt::ShiftModifier);
    case 3:
        return QTest::keySequence(drill.window(), QKeySequence(keys[below(10)]));
    case 5:
        return drill.click(point, below(3) ? Qt::LeftButton : Qt::MiddleButton);
    case 6:
        return drill.newExercise();
    case 7:
        for (int k = 0; k < kCellCount; ++k) {
            drill.key(Qt::Key(Qt::Key_0 + below(10)));
            drill.key(Qt::Key_Tab);
        }
        return;
    default:
        return drill.key(digit, below(4) ? Qt::NoModifier : Qt::KeypadModifier);
    }
}

// What must hold whatever was typed or clicked; empty when it all does.
QString brokenInvariant(Drill& drill, QString& offered)
{
    for (int k = 1; k <= kCellCount; ++k) {
        const QString text = drill.box(k)->text();
        const bool digits = std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (!digits || text.size() > drill.expected(k).size())
            return QStringLiteral("Text%1 holds \"%2\"").arg(k).arg(text);
    }
    for (const int score : {25, 29})
        if (drill.caption(score).toInt() > drill.caption(score + 2).toInt())
            return QStringLiteral("Label%1 counts more right answers than offered").arg(score);
    if (drill.caption(27) != std::exchange(offered, drill.caption(27)) && drill.label(22)->isEnabled())
        return QStringLiteral("the chalk box is enabled right after a new exercise");
    return {};
}

} // namespace

// The program must not end either: the storm never touches the disc or the
// close button. VENDARO_STORM_EVENTS and VENDARO_STORM_SEED set length and input.
void WindowTest::invariantsHoldUnderRandomInput()
{
    const uint seed = qEnvironmentVariable("VENDARO_STORM_SEED", "1958").toUInt();
    const long events = qEnvironmentVariable("VENDARO_STORM_EVENTS", "4000").toLong();
    Drill drill;
    QVERIFY(drill.open());
    // The invariants are on what the window holds; painting after every key would be most of the cost.
    drill.form.setUpdatesEnabled(false);
    std::mt19937 random(seed);
    QString offered, broken;
    long event = 0, exercises = 0;
    QElapsedTimer clock;
    clock.start();
    QEventLoop running; // ending the program ends every event loop, this one too
    QTimer::singleShot(0, &running, [&] {
        for (; event < events && broken.isEmpty(); ++event) {
            const QString total = drill.caption(27);
            stormStep(drill, random);
            broken = running.isRunning() ? brokenInvariant(drill, offered) : QStringLiteral("the program ended");
            exercises += drill.caption(27) != total;
        }
        running.quit();
    });
    running.exec();
    QVERIFY2(broken.isEmpty(), qPrintable(QStringLiteral("seed %1, event %2: %3").arg(seed).arg(event).arg(broken)));
    qInfo("storm: %ld events, %ld exercises, %.0f events/s", event, exercises,
          double(event) * 1000 / double(std::max<qint64>(1, clock.elapsed())));
    QVERIFY2(exercises > 1, "the storm never filled the tables");
}

QTEST_MAIN(WindowTest)
#include "test_window.moc"
