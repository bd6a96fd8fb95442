#include "platform/colourvalue.h"

#include <QTest>

using namespace huevane;

namespace {

// A palette in which every role has a colour of its own.
QPalette DistinctPalette()
{
    QPalette palette;
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        if (role == QPalette::NoRole)
            continue;
        palette.setColor(QPalette::Active, QPalette::ColorRole(role),
                         QColor(10 + role * 9, 200 - role * 7, 3 * role));
        palette.setColor(QPalette::Inactive, QPalette::ColorRole(role), Qt::black);
    }
    return palette;
}

} // namespace

class tst_ColourValue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resolves_data();
    void resolves();
    void systemColoursHaveRolesOfTheirOwn();
    void convertsBack_data();
    void convertsBack();
};

void tst_ColourValue::resolves_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QColor>("expected");

    const QPalette palette = DistinctPalette();
    const auto role = [&](QPalette::ColorRole r) { return palette.color(QPalette::Active, r); };
    QTest::newRow("red in the lowest byte") << 0x0000FFu << QColor(255, 0, 0);
    QTest::newRow("blue in the third byte") << 0xFF0000u << QColor(0, 0, 255);
    QTest::newRow("mixed") << 0x80FFFFu << QColor(255, 255, 128);
    QTest::newRow("top byte without the system bit is ignored")
        << 0x7F404040u << QColor(64, 64, 64);
    QTest::newRow("window background") << SystemColour::WindowBackground << role(QPalette::Base);
    QTest::newRow("window text") << SystemColour::WindowText << role(QPalette::Text);
    QTest::newRow("application workspace") << SystemColour::AppWorkspace << role(QPalette::Mid);
    QTest::newRow("button face") << SystemColour::ButtonFace << role(QPalette::Button);
    QTest::newRow("button shadow") << SystemColour::ButtonShadow << role(QPalette::Dark);
    QTest::newRow("button text") << SystemColour::ButtonText << role(QPalette::ButtonText);
    QTest::newRow("button highlight") << SystemColour::ButtonHighlight << role(QPalette::Light);
    QTest::newRow("unknown system colour") << 0x80000063u << role(QPalette::Window);
}

void tst_ColourValue::resolves()
{
    QFETCH(quint32, value);
    QFETCH(QColor, expected);
    QCOMPARE(ResolveColour(value, DistinctPalette()), expected);
}

void tst_ColourValue::systemColoursHaveRolesOfTheirOwn()
{
    const QList<ColourValue> colours {SystemColour::WindowBackground, SystemColour::WindowText,
                                      SystemColour::AppWorkspace,     SystemColour::ButtonFace,
                                      SystemColour::ButtonShadow,     SystemColour::ButtonText,
                                      SystemColour::ButtonHighlight};
    QSet<int> roles;
    for (ColourValue colour : colours) {
        QVERIFY(IsSystemColour(colour));
        roles.insert(SystemColourRole(colour));
    }
    QCOMPARE(roles.size(), colours.size());
    QVERIFY(!roles.contains(QPalette::Window));

    // A translucent palette colour still paints opaque.
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Dark, QColor(1, 2, 3, 40));
    QCOMPARE(ResolveColour(SystemColour::ButtonShadow, palette), QColor(1, 2, 3));
}

void tst_ColourValue::convertsBack_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<quint32>("value");

    QTest::newRow("red") << QColor(255, 0, 0) << 0x0000FFu;
    QTest::newRow("mixed") << QColor(0x12, 0x34, 0x56) << 0x563412u;
    QTest::newRow("alpha dropped") << QColor(1, 2, 3, 4) << 0x030201u;
    QTest::newRow("from HSV") << QColor::fromHsv(0, 255, 255) << 0x0000FFu;
}

void tst_ColourValue::convertsBack()
{
    QFETCH(QColor, colour);
    QFETCH(quint32, value);
    QCOMPARE(ToColourValue(colour), value);
    QVERIFY(!IsSystemColour(value));
    QCOMPARE(ToColourValue(ResolveColour(value, QPalette())), value);
}

QTEST_MAIN(tst_ColourValue)
#include "tst_colourvalue.moc"
