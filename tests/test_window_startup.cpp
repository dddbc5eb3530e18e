#include "assets/pictures.h"
#include "window_fixture.h"

#include <QApplication>
#include <QFontInfo>
#include <QTimer>

class WindowStartupTest : public QObject {
    Q_OBJECT

private slots:
    void opensReadyForTheFirstAnswer();
    void windowIsFixedWithItsTitleAndIcon();
    void controlsStandInTheirPlaces_data();
    void controlsStandInTheirPlaces();
    void neighboursOverlapAndStackAsLaidOut_data();
    void neighboursOverlapAndStackAsLaidOut();
    void eachKindOfControlHasItsPointer();
    void captionsUseTahomaBoldAtTheirSizes();
    void comingBackToTheWindowIsNoNewArrival();
    void tabCyclesTheBoxesOnly();
    void discAndCloseButtonEndTheProgram();
};

void WindowStartupTest::opensReadyForTheFirstAnswer()
{
    Drill drill;
    QVERIFY(drill.open());
    QCOMPARE(drill.visibleFace(), faces::waiting);
    QCOMPARE(QApplication::focusWidget(), drill.box(1));
    QCOMPARE(drill.box(1)->cursorPosition(), 0);
    for (int k = 1; k <= kCellCount; ++k)
        QVERIFY(drill.box(k)->text().isEmpty());
    const QMap<int, QString> designCaptions{{1, "+"},        {11, "-"},  {21, "COMPLETA LE SEGUENTI TABELLE"},
                                            {24, "ESATTE:"}, {26, "SU"}, {28, "ESATTE:"},
                                            {30, "SU"}};
    for (int label = 1; label <= 31; ++label)
        QCOMPARE(drill.caption(label), designCaptions.value(label));
    QVERIFY(drill.label(22)->isEnabled());
}

void WindowStartupTest::windowIsFixedWithItsTitleAndIcon()
{
    Drill drill;
    QVERIFY(drill.open());
    QCOMPARE(drill.form.windowTitle(), QString("ZENTARI   QUORVO    Addizioni e Sottrazioni in tabella"));
    QCOMPARE(drill.form.size(), QSize(792, 566));
    QCOMPARE(drill.form.minimumSize(), drill.form.maximumSize());
    const Qt::WindowFlags flags = drill.form.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint) && !flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!drill.form.windowIcon().isNull());
    const QRect screen = drill.form.screen()->availableGeometry();
    QVERIFY(qAbs(drill.form.geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(drill.form.geometry().center().y() - screen.center().y()) <= 1);
}

void WindowStartupTest::controlsStandInTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::newRow("first addition box") << "Text1" << QRect(120, 152, 65, 65);
    QTest::newRow("last addition box") << "Text20" << QRect(312, 408, 65, 65);
    QTest::newRow("first subtraction box") << "Text21" << QRect(480, 152, 65, 65);
    QTest::newRow("last subtraction box") << "Text40" << QRect(672, 408, 65, 65);
    QTest::newRow("plus corner") << "Label1" << QRect(56, 88, 65, 65);
    QTest::newRow("fourth column header") << "Label5" << QRect(312, 88, 65, 65);
    QTest::newRow("fifth minuend") << "Label20" << QRect(416, 408, 65, 65);
    QTest::newRow("title") << "Label21" << QRect(48, 32, 689, 33);
    QTest::newRow("chalk box") << "Label22" << QRect(40, 520, 57, 49);
    QTest::newRow("disc") << "Label23" << QRect(120, 520, 41, 41);
    QTest::newRow("addition score") << "Label25" << QRect(168, 480, 73, 25);
    QTest::newRow("subtraction score") << "Label29" << QRect(528, 480, 73, 25);
    QTest::newRow("subtraction total") << "Label31" << QRect(648, 480, 73, 25);
    QTest::newRow("subtraction arrows") << "Image2" << QRect(392, 56, 114, 163);
    QTest::newRow("wrong face") << "Image5" << QRect(376, 488, 48, 48);
}

void WindowStartupTest::controlsStandInTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    Drill drill;
    QCOMPARE(drill.form.findChild<QWidget*>(name)->geometry(), place);
}

// Squares on a 64 px pitch share their border line; the square further
// forward covers it.
void WindowStartupTest::neighboursOverlapAndStackAsLaidOut_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("front");
    QTest::newRow("between Text1 and Text2") << QPoint(184, 160) << "Text2";
    QTest::newRow("between Text1 and Text5") << QPoint(130, 216) << "Text5";
    QTest::newRow("between Label2 and Label3") << QPoint(184, 100) << "Label3";
    QTest::newRow("between a row header and its box") << QPoint(120, 160) << "Text1";
    QTest::newRow("arrows over the plus corner") << QPoint(60, 100) << "Image1";
    QTest::newRow("box over the arrows") << QPoint(125, 160) << "Text1";
    QTest::newRow("faces: wrong in front") << QPoint(400, 510) << "Image5";
    QTest::newRow("chalk box") << QPoint(60, 540) << "Label22";
}

void WindowStartupTest::neighboursOverlapAndStackAsLaidOut()
{
    QFETCH(QPoint, point);
    QFETCH(QString, front);
    Drill drill;
    for (const int face : {faces::waiting, faces::right, faces::wrong})
        drill.image(face)->show();
    QWidget* hit = drill.form.childAt(point);
    QVERIFY(hit);
    QCOMPARE(hit->objectName(), front);
}

void WindowStartupTest::eachKindOfControlHasItsPointer()
{
    Drill drill;
    QVERIFY(drill.open());
    const qreal ratio = drill.form.devicePixelRatioF();
    const QImage writing = pictures::writingHandCursor(ratio).pixmap().toImage();
    const QImage pointing = pictures::pointingHandCursor(ratio).pixmap().toImage();
    QCOMPARE(drill.box(1)->cursor().pixmap().toImage(), writing);
    QCOMPARE(drill.box(20)->cursor().pixmap().toImage(), writing);
    QCOMPARE(drill.box(21)->cursor().shape(), Qt::IBeamCursor);
    QCOMPARE(drill.box(40)->cursor().shape(), Qt::IBeamCursor);
    QCOMPARE(drill.label(22)->cursor().pixmap().toImage(), pointing);
    QCOMPARE(drill.label(23)->cursor().pixmap().toImage(), pointing);
    QCOMPARE(drill.label(23)->cursor().hotSpot(), pictures::pointingHandCursor(ratio).hotSpot());
    for (QWidget* plain : std::initializer_list<QWidget*>{drill.label(21), drill.label(2), drill.image(1), &drill.form})
        QCOMPARE(plain->cursor().shape(), Qt::ArrowCursor);
}

void WindowStartupTest::captionsUseTahomaBoldAtTheirSizes()
{
    Drill drill;
    const QList<QPair<QWidget*, int>> sizes{{drill.box(7), 37},    {drill.label(1), 37},  {drill.label(11), 48},
                                            {drill.label(21), 21}, {drill.label(24), 19}, {drill.label(31), 19}};
    for (const auto& [widget, pixels] : sizes) {
        const QFontInfo font(widget->font());
        QCOMPARE(font.family(), QString("Tahoma"));
        QVERIFY(font.bold());
        QCOMPARE(font.pixelSize(), pixels);
    }
}

// Another window coming and going must not reset the attempt count or the face.
void WindowStartupTest::comingBackToTheWindowIsNoNewArrival()
{
    Drill drill;
    QVERIFY(drill.open());
    drill.form.setImageVisible(faces::waiting, false);
    drill.form.setImageVisible(faces::right, true);

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    other.close();
    drill.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&drill.form));

    QCOMPARE(QApplication::focusWidget(), drill.box(1));
    QCOMPARE(drill.visibleFace(), faces::right);
    drill.key(Qt::Key_Tab);
    QCOMPARE(drill.visibleFace(), faces::waiting);
}

void WindowStartupTest::tabCyclesTheBoxesOnly()
{
    Drill drill;
    QVERIFY(drill.open());
    drill.key(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), drill.box(40));
    for (int k = 1; k <= kCellCount; ++k) {
        drill.key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), drill.box(k));
    }
}

void WindowStartupTest::discAndCloseButtonEndTheProgram()
{
    for (const bool viaDisc : {true, false}) {
        Drill drill;
        QVERIFY(drill.open());
        QTimer::singleShot(0, &drill.form, [&] { viaDisc ? drill.click({140, 540}) : void(drill.form.close()); });
        QTimer::singleShot(5000, qApp, [] { QApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
    }
}

QTEST_MAIN(WindowStartupTest)
#include "test_window_startup.moc"
