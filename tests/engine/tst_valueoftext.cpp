#include "engine/valueoftext.h"

#include <QTest>

using namespace huevane;

class tst_ValueOfText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void value_data();
    void value();
};

void tst_ValueOfText::value_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("whole number") << "255" << 255.0;
    QTest::newRow("leading zeros") << "007" << 7.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("hex prefix reads the zero") << "0x1F" << 0.0;
    QTest::newRow("stops at a letter") << "12ab" << 12.0;
    QTest::newRow("leading blanks") << "  12" << 12.0;
    QTest::newRow("blanks inside are skipped") << "1 2\t3" << 123.0;
    QTest::newRow("negative") << "-5" << -5.0;
    QTest::newRow("plus sign") << "+9" << 9.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("decimal") << "12.5" << 12.5;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("point last") << "5." << 5.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("exponent") << "1e2" << 100.0;
    QTest::newRow("negative exponent") << "25E-1" << 2.5;
    QTest::newRow("exponent without digits") << "3e" << 3.0;
    QTest::newRow("overflow") << "1e400" << qInf();
    QTest::newRow("negative overflow") << "-1e400" << -qInf();
    QTest::newRow("large mantissa overflows") << QString(400, u'9') << qInf();
    QTest::newRow("underflow") << "1e-400" << 0.0;
    QTest::newRow("small fraction underflows") << "0." + QString(400, u'0') + "1" << 0.0;
    QTest::newRow("huge exponent digits") << "1e99999999999999999999" << qInf();
}

void tst_ValueOfText::value()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(ValueOfText(text), expected);
}

QTEST_APPLESS_MAIN(tst_ValueOfText)
#include "tst_valueoftext.moc"
