#include "cli/input.h"
#include "cli/options.h"

#include <QTest>

using namespace huevane;
using namespace huevane::cli;

class tst_Input : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void invalidUtf8_data();
    void invalidUtf8();
    void decode_data();
    void decode();
    void decodeInPieces_data();
    void decodeInPieces();
    void colourArgument_data();
    void colourArgument();
};

void tst_Input::invalidUtf8_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("offset");

    QTest::newRow("ascii") << QByteArray("plain text\r\n") << -1;
    QTest::newRow("empty") << QByteArray() << -1;
    QTest::newRow("NUL is valid") << QByteArray("a\0b", 3) << -1;
    QTest::newRow("two, three and four bytes")
        << QByteArray("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80") << -1;
    QTest::newRow("lowest three-byte") << QByteArray("\xE0\xA0\x80") << -1;
    QTest::newRow("highest code point") << QByteArray("\xF4\x8F\xBF\xBF") << -1;
    QTest::newRow("truncated at the end") << QByteArray("ab\xC3") << 2;
    QTest::newRow("truncated four-byte") << QByteArray("ab\xF0\x9F\x98z") << 2;
    QTest::newRow("lone continuation byte") << QByteArray("abc\x80") << 3;
    QTest::newRow("overlong two-byte") << QByteArray("\xC0\x80") << 0;
    QTest::newRow("overlong C1") << QByteArray("x\xC1\xBF") << 1;
    QTest::newRow("overlong three-byte") << QByteArray("\xE0\x80\x80") << 0;
    QTest::newRow("overlong four-byte") << QByteArray("\xF0\x8F\xBF\xBF") << 0;
    QTest::newRow("encoded lone surrogate") << QByteArray("ok\xED\xA0\x80") << 2;
    QTest::newRow("encoded low surrogate") << QByteArray("\xED\xBF\xBF") << 0;
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << 0;
    QTest::newRow("F5 lead byte") << QByteArray("\xF5\x80\x80\x80") << 0;
    QTest::newRow("FF byte") << QByteArray("\xC3\xA9\xFF") << 2;
}

void tst_Input::invalidUtf8()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, offset);
    QCOMPARE(FindInvalidUtf8(bytes), qsizetype(offset));
}

void tst_Input::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("LF") << QByteArray("a\nb\n") << "a\r\nb\r\n";
    QTest::newRow("lone CR") << QByteArray("a\rb") << "a\r\nb";
    QTest::newRow("CR LF kept") << QByteArray("a\r\nb") << "a\r\nb";
    QTest::newRow("CR then CR LF") << QByteArray("a\r\r\nb") << "a\r\n\r\nb";
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << "a\r\n\r\nb";
    QTest::newRow("byte-order mark dropped") << QByteArray("\xEF\xBB\xBFhi") << "hi";
    QTest::newRow("later byte-order mark kept")
        << QByteArray("h\xEF\xBB\xBFi") << QString::fromUtf8("h\xEF\xBB\xBFi");
    QTest::newRow("NUL kept") << QByteArray("a\0b", 3) << QStringView(u"a\0b", 3).toString();
    QTest::newRow("multibyte") << QByteArray("\xC3\xA9\n\xF0\x9F\x98\x80")
                               << QString::fromUtf8("\xC3\xA9\r\n\xF0\x9F\x98\x80");
}

void tst_Input::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeText(bytes), text);
}

// The decoder must give the same text, or stop at the same byte, however the
// input is cut into the pieces it is fed: inside a character, between CR and
// LF, inside the byte-order mark.
void tst_Input::decodeInPieces_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("invalidAt"); // -1: valid

    QTest::newRow("CR LF, lone CR, lone LF")
        << QByteArray("a\r\nb\rc\nd\r\r\n\n\re") << "a\r\nb\r\nc\r\nd\r\n\r\n\r\n\r\ne" << -1;
    QTest::newRow("CR at the very end") << QByteArray("a\r") << "a\r\n" << -1;
    QTest::newRow("byte-order mark then LF") << QByteArray("\xEF\xBB\xBF\nx") << "\r\nx" << -1;
    QTest::newRow("byte-order mark alone") << QByteArray("\xEF\xBB\xBF") << "" << -1;
    QTest::newRow("two, three and four bytes")
        << QByteArray("\xC3\xA9\r\xE2\x82\xAC\n\xF0\x9F\x98\x80")
        << QString::fromUtf8("\xC3\xA9\r\n\xE2\x82\xAC\r\n\xF0\x9F\x98\x80") << -1;
    QTest::newRow("CR before a character")
        << QByteArray("\r\xC3\xA9\n") << QString::fromUtf8("\r\n\xC3\xA9\r\n") << -1;
    QTest::newRow("cut short at the end") << QByteArray("ab\xF0\x9F\x98") << "" << 2;
    QTest::newRow("bad byte inside a character")
        << QByteArray("\xE2\x82\xAC\xE2\x28\xAC") << "" << 3;
    QTest::newRow("overlong after a CR") << QByteArray("x\r\xC1\xBF") << "" << 2;
    QTest::newRow("lone surrogate after valid text")
        << QByteArray("\xC3\xA9\xED\xA0\x80") << "" << 2;
}

void tst_Input::decodeInPieces()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(int, invalidAt);

    for (qsizetype piece = 1; piece <= bytes.size(); ++piece) {
        Utf8Decoder decoder;
        for (qsizetype at = 0; at < bytes.size(); at += piece)
            decoder.feed(QByteArrayView(bytes).sliced(at, qMin(piece, bytes.size() - at)));
        const bool valid = decoder.finish();
        QCOMPARE(valid, invalidAt < 0);
        QCOMPARE(decoder.errorOffset(), qint64(invalidAt));
        if (valid)
            QCOMPARE(decoder.takeText(), text);
    }
    QCOMPARE(FindInvalidUtf8(bytes), qsizetype(invalidAt));
}

void tst_Input::colourArgument_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<ColourTriplet>("colour");

    QTest::newRow("components") << "255,70,30" << true << ColourTriplet {255, 70, 30};
    QTest::newRow("zeros") << "0,0,0" << true << ColourTriplet {0, 0, 0};
    QTest::newRow("hex upper") << "#12AB0F" << true << ColourTriplet {18, 171, 15};
    QTest::newRow("hex lower") << "#ff00a0" << true << ColourTriplet {255, 0, 160};
    QTest::newRow("component above 255") << "256,0,0" << false << ColourTriplet {};
    QTest::newRow("negative component") << "-1,0,0" << false << ColourTriplet {};
    QTest::newRow("two components") << "1,2" << false << ColourTriplet {};
    QTest::newRow("four components") << "1,2,3,4" << false << ColourTriplet {};
    QTest::newRow("blank component") << "1,,3" << false << ColourTriplet {};
    QTest::newRow("spaces") << "1, 2, 3" << false << ColourTriplet {};
    QTest::newRow("decimal") << "1.5,2,3" << false << ColourTriplet {};
    QTest::newRow("short hex") << "#FFF" << false << ColourTriplet {};
    QTest::newRow("hex without hash") << "FF0000" << false << ColourTriplet {};
    QTest::newRow("bad hex digit") << "#GG0000" << false << ColourTriplet {};
    QTest::newRow("empty") << "" << false << ColourTriplet {};
}

void tst_Input::colourArgument()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(ColourTriplet, colour);
    const auto parsed = ParseColourArgument(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, colour);
}

QTEST_APPLESS_MAIN(tst_Input)
#include "tst_input.moc"
