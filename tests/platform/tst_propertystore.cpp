#include "platform/propertystore.h"

#include <QPixmap>
#include <QTest>

using namespace huevane;

class tst_PropertyStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesOnlyWhatDiffersFromTheDefault_data();
    void writesOnlyWhatDiffersFromTheDefault();
    void readsTheDefaultOnlyWhenAbsent();
};

void tst_PropertyStore::writesOnlyWhatDiffersFromTheDefault_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("defaultValue");
    QTest::addColumn<bool>("stored");

    QFont bold;
    bold.setBold(true);
    QPixmap picture(2, 2);
    picture.fill(Qt::red);
    QTest::newRow("equal colour") << QVariant::fromValue(0x8000000Cu)
                                  << QVariant::fromValue(0x8000000Cu) << false;
    QTest::newRow("different colour")
        << QVariant::fromValue(0x80FFFFu) << QVariant::fromValue(0x8000000Cu) << true;
    QTest::newRow("false against true") << QVariant(false) << QVariant(true) << true;
    QTest::newRow("empty text against none")
        << QVariant(QStringLiteral("")) << QVariant(QString()) << false;
    QTest::newRow("caption against its default")
        << QVariant(QStringLiteral("Command1")) << QVariant(QStringLiteral("HotCommand")) << true;
    QTest::newRow("ambient font") << QVariant(QFont()) << QVariant(QFont()) << false;
    QTest::newRow("bold font") << QVariant(bold) << QVariant(QFont()) << true;
    QTest::newRow("no picture") << QVariant() << QVariant() << false;
    QTest::newRow("a picture") << QVariant(picture) << QVariant() << true;
}

void tst_PropertyStore::writesOnlyWhatDiffersFromTheDefault()
{
    QFETCH(QVariant, value);
    QFETCH(QVariant, defaultValue);
    QFETCH(bool, stored);

    VariantMapPropertyStore store;
    store.writeProperty(QStringLiteral("Key"), value, defaultValue);
    QCOMPARE(store.values().contains(QStringLiteral("Key")), stored);

    // Writing over an earlier value: a default now leaves the key out altogether.
    VariantMapPropertyStore earlier(QVariantMap {{QStringLiteral("Key"), QStringLiteral("old")}});
    earlier.writeProperty(QStringLiteral("Key"), value, defaultValue);
    QCOMPARE(earlier.values().contains(QStringLiteral("Key")), stored);
    if (stored)
        QCOMPARE(earlier.readProperty(QStringLiteral("Key"), QVariant()).typeId(), value.typeId());
}

void tst_PropertyStore::readsTheDefaultOnlyWhenAbsent()
{
    VariantMapPropertyStore store(QVariantMap {{QStringLiteral("Caption"), QString()}});
    QCOMPARE(store.readProperty(QStringLiteral("Caption"), QStringLiteral("HotCommand")),
             QVariant(QString()));
    QCOMPARE(store.readProperty(QStringLiteral("ToolTipText"), QStringLiteral("tip")),
             QVariant(QStringLiteral("tip")));

    QFont ambient(QStringLiteral("DejaVu Serif"), 14);
    QCOMPARE(store.ambientFont(), QFont());
    store.setAmbientFont(ambient);
    QCOMPARE(store.ambientFont(), ambient);
}

QTEST_MAIN(tst_PropertyStore)
#include "tst_propertystore.moc"
