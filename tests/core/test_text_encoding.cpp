// Text of playlists, CUE sheets and CD-Text as bytes: which bytes are UTF-8, Shift-JIS as Windows
// writes it, byte-order marks, and the undoing of a Latin-1 reading.

#include <QtTest>

#include "core/text_encoding.h"

using namespace vantoli;

Q_DECLARE_METATYPE(vantoli::TextEncoding)

namespace {

QByteArray bytesOf(const std::optional<std::string>& text)
{
    return text ? QByteArray::fromStdString(*text) : "<none>";
}

// "表ソ能" in Shift-JIS: each character's second byte is 0x5C, the backslash of ASCII.
const QByteArray HyoSoNoSjis("\x95\x5C\x83\x5C\x94\x5C");

}  // namespace

class TestTextEncoding : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void utf8_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("ASCII") << QByteArray("Track 01.flac") << true;
        QTest::newRow("Japanese") << QByteArray("表ソ能") << true;
        QTest::newRow("four-byte character") << QByteArray("\xF0\x9F\x8E\xB5") << true;
        QTest::newRow("largest character") << QByteArray("\xF4\x8F\xBF\xBF") << true;
        QTest::newRow("Shift-JIS") << HyoSoNoSjis << false;
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << false;
        QTest::newRow("overlong three bytes") << QByteArray("\xE0\x80\xAF") << false;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false;
        QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
        QTest::newRow("cut off at the end") << QByteArray("ab\xE8\xA1") << false;
        QTest::newRow("lone continuation byte") << QByteArray("a\x80z") << false;
        QTest::newRow("Latin-1 e acute") << QByteArray("Caf\xE9") << false;
    }
    // clang-format on
    void utf8()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        QCOMPARE(isUtf8(bytes.toStdString()), utf8);
    }

    // clang-format off
    void shiftJis_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("utf8");  // "<none>" when the bytes are no Shift-JIS
        QTest::newRow("trail bytes 0x5C") << HyoSoNoSjis << QByteArray("表ソ能");
        QTest::newRow("lone 0x5C is a backslash") << QByteArray("a\x5C" "b") << QByteArray("a\\b");
        QTest::newRow("half-width katakana") << QByteArray("\xB1\xB2") << QByteArray("ｱｲ");
        QTest::newRow("Windows' circled one") << QByteArray("\x87\x40") << QByteArray("①");
        QTest::newRow("lead byte at the end") << QByteArray("ab\x81") << QByteArray("<none>");
        QTest::newRow("bad trail byte") << QByteArray("\x81\x20") << QByteArray("<none>");
    }
    // clang-format on
    void shiftJis()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, utf8);
        QCOMPARE(bytesOf(shiftJisToUtf8(bytes.toStdString())), utf8);
    }

    // Read whatever it holds (pattern files): a wrong count of U+FFFD shifts every character after it.
    // clang-format off
    void shiftJisReplacing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("Shift-JIS") << HyoSoNoSjis << QStringLiteral("表ソ能");
        QTest::newRow("a byte no character starts with") << QByteArray("4\xA0" "1") << QStringLiteral("4\uFFFD1");
        QTest::newRow("an empty place of the table: one for the pair") << QByteArray("\x81\xAD" "1") << QStringLiteral("\uFFFD1");
        QTest::newRow("no second byte: one for the first") << QByteArray("\x82\x31") << QStringLiteral("\uFFFD1");
        QTest::newRow("lead byte at the end") << QByteArray("43\x82") << QStringLiteral("43\uFFFD");
        QTest::newRow("after a bad byte the rest reads") << QByteArray("\xFF\x82\xA0") << QStringLiteral("\uFFFDあ");
    }
    // clang-format on
    void shiftJisReplacing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(shiftJisToUtf8Replacing(bytes.toStdString())), text);
    }

    // Written as Shift-JIS only when it reads back as the same text.
    // clang-format off
    void toShiftJis_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");  // "<none>" when it cannot be written
        QTest::newRow("kana and backslash") << QStringLiteral("あ\\ｱ") << QByteArray("\x82\xA0\\\xB1");
        QTest::newRow("trail bytes 0x5C") << QStringLiteral("表ソ能") << HyoSoNoSjis;
        QTest::newRow("fullwidth tilde") << QStringLiteral("～") << QByteArray("\x81\x60");
        QTest::newRow("wave dash reads back as the tilde") << QStringLiteral("〜") << QByteArray("<none>");
        QTest::newRow("yen sign reads back as a backslash") << QStringLiteral("¥") << QByteArray("<none>");
        QTest::newRow("Hangul") << QStringLiteral("한") << QByteArray("<none>");
    }
    // clang-format on
    void toShiftJis()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(bytesOf(utf8ToShiftJis(text.toStdString())), bytes);
    }

    // clang-format off
    // A right-to-left override in a title passed into the label, turning what it shows around.
    void dropsControlCharacters_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("kept");
        QTest::newRow("C0, DEL, tab") << QByteArray("a\x01" "b\x7f\tc\r\n") << QByteArray("ab c\r\n");
        QTest::newRow("right-to-left override") << QByteArray("evil\u202Etxt.exe") << QByteArray("eviltxt.exe");
        QTest::newRow("embeddings and isolates") << QByteArray("\u202A\u202B\u202C\u202D\u2066x\u2067\u2068\u2069")
                                                 << QByteArray("x");
        QTest::newRow("C1") << QByteArray("a\u0085b\u009Fc") << QByteArray("abc");
        QTest::newRow("neighbours kept") << QByteArray("\u2029\u206A\u2010日本") << QByteArray("\u2029\u206A\u2010日本");
    }
    void dropsControlCharacters()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, kept);
        QCOMPARE(QByteArray::fromStdString(withoutControlCharacters(text.toStdString())), kept);
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QByteArray>("utf8");
        QTest::newRow("UTF-8") << QByteArray("表.flac") << TextEncoding::Utf8 << QByteArray("表.flac");
        QTest::newRow("UTF-8 mark dropped") << QByteArray("\xEF\xBB\xBF表") << TextEncoding::Utf8 << QByteArray("表");
        QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF") << TextEncoding::Utf8OrShiftJis << QByteArray();
        QTest::newRow("UTF-8 mark, then Shift-JIS") << QByteArray("\xEF\xBB\xBF") + HyoSoNoSjis
                                                   << TextEncoding::Utf8OrShiftJis << QByteArray("<none>");
        QTest::newRow("Shift-JIS where UTF-8 only") << HyoSoNoSjis << TextEncoding::Utf8 << QByteArray("<none>");
        QTest::newRow("Shift-JIS allowed") << HyoSoNoSjis << TextEncoding::Utf8OrShiftJis << QByteArray("表ソ能");
        QTest::newRow("UTF-8 wins when it decodes") << QByteArray("ソ") << TextEncoding::Utf8OrShiftJis
                                                    << QByteArray("ソ");
        QTest::newRow("UTF-16LE with mark") << QByteArray("\xFF\xFE\x68\x88\x0A\x00", 6) << TextEncoding::Utf8
                                            << QByteArray("表\n");
        QTest::newRow("UTF-16BE with mark") << QByteArray("\xFE\xFF\x88\x68", 4) << TextEncoding::Utf8
                                            << QByteArray("表");
        QTest::newRow("UTF-16 of odd length") << QByteArray("\xFF\xFE\x68", 3) << TextEncoding::Utf8
                                              << QByteArray("<none>");
        QTest::newRow("neither") << QByteArray("\x81\xFF\xFF") << TextEncoding::Utf8OrShiftJis
                                 << QByteArray("<none>");
    }
    // clang-format on
    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(TextEncoding, encoding);
        QFETCH(QByteArray, utf8);
        QCOMPARE(bytesOf(decodeText(bytes.toStdString(), encoding)), utf8);
    }

    void validUtf8ReplacesBadBytes()
    {
        QCOMPARE(validUtf8("ab\x80"
                           "c"),
                 std::string("ab\xEF\xBF\xBD"
                             "c"));
        QCOMPARE(validUtf8("表\xE8\xA1"), std::string("表\xEF\xBF\xBD\xEF\xBF\xBD"));
        QCOMPARE(validUtf8("表ソ能"), std::string("表ソ能"));
    }
};

QTEST_APPLESS_MAIN(TestTextEncoding)
#include "test_text_encoding.moc"
