#include "window_fixture.h"

#include <QAccessible>
#include <QRegularExpression>

namespace {

QString said(QObject* object, QAccessible::Text text = QAccessible::Name)
{
    return QAccessible::queryAccessibleInterface(object)->text(text);
}

// The result of a spoken operation such as "12 meno 4", or -1 when the words are not one.
int resultOf(const QString& operation, Table table)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+) (più|meno) (\\d+)$"));
    const QRegularExpressionMatch match = form.match(operation);
    const QString expectedSign = table == Table::Addition ? QStringLiteral("più") : QStringLiteral("meno");
    if (!match.hasMatch() || match.captured(2) != expectedSign)
        return -1;
    const int left = match.captured(1).toInt();
    const int right = match.captured(3).toInt();
    return table == Table::Addition ? left + right : left - right;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void clickAreasAndFacesSayWhatTheyAre();
    void eachBoxSaysTheOperationItIsJudgedBy();
    void verdictsAreToldOnTheBoxInFocus();
};

void AccessibilityTest::clickAreasAndFacesSayWhatTheyAre()
{
    Drill drill;
    QVERIFY(drill.open());
    QCOMPARE(said(drill.label(22)), QStringLiteral("Nuovo esercizio"));
    QCOMPARE(said(drill.label(23)), QStringLiteral("Esci"));
    QCOMPARE(said(drill.image(faces::right)), QStringLiteral("Esatto!"));
    QCOMPARE(said(drill.image(faces::wrong)), QStringLiteral("Sbagliato"));
    QVERIFY(!said(drill.image(faces::waiting)).isEmpty());
}

// A pupil who only hears the box's name types that operation's result into
// it; the drill must judge it right, in every box and for a second exercise too.
void AccessibilityTest::eachBoxSaysTheOperationItIsJudgedBy()
{
    Drill drill;
    QVERIFY(drill.open());
    for (int k = 1; k <= kCellCount; ++k)
        QVERIFY2(said(drill.box(k)).isEmpty(), qPrintable(said(drill.box(k))));
    for (int exercise = 1; exercise <= 2; ++exercise) {
        drill.newExercise();
        for (int k = 1; k <= kCellCount; ++k) {
            const int result = resultOf(said(drill.box(k)), cellAt(k).table);
            QVERIFY2(result >= 0, qPrintable(QStringLiteral("Text%1: \"%2\"").arg(k).arg(said(drill.box(k)))));
            drill.box(k)->setFocus(Qt::MouseFocusReason);
            drill.type(QString::number(result));
            QVERIFY2(drill.visibleFace() == faces::right, qPrintable(QStringLiteral("Text%1").arg(k)));
        }
    }
}

// Qt hands changes of the focused box's description on to the screen reader,
// which speaks them: that is how the verdict of the face is heard.
void AccessibilityTest::verdictsAreToldOnTheBoxInFocus()
{
    Drill drill;
    QVERIFY(drill.open());
    drill.newExercise();
    const int k = drill.focusBoxWithDigits(1);
    const int right = drill.expected(k);
    drill.type(QString::number((right + 1) % 10));
    QCOMPARE(said(drill.box(k), QAccessible::Description), QStringLiteral("Sbagliato"));
    drill.type(QString::number(right));
    QCOMPARE(said(drill.box(k), QAccessible::Description), QStringLiteral("Esatto!"));
    const int next = k == 1 ? 2 : 1;
    drill.box(next)->setFocus(Qt::MouseFocusReason);
    for (int box = 1; box <= kCellCount; ++box)
        QVERIFY(said(drill.box(box), QAccessible::Description).isEmpty());
    drill.type(QString::number(drill.expected(next)));
    QCOMPARE(said(drill.box(next), QAccessible::Description), QStringLiteral("Esatto!"));
    QVERIFY(said(drill.box(k), QAccessible::Description).isEmpty());
}

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
