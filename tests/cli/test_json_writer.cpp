// The JSON that vantoli-plan writes by hand: strings of any bytes come out as valid JSON that reads
// back as the same text (with U+FFFD for bytes that are no UTF-8), and objects and arrays nest.

#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/json_writer.h"

using namespace vantoli::cli;

class TestJsonWriter : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void strings_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("empty") << QByteArray("") << QByteArray("\"\"") << QString();
        QTest::newRow("Japanese stays as it is") << QByteArray("曲名「表ソ能」") << QByteArray("\"曲名「表ソ能」\"") << QStringLiteral("曲名「表ソ能」");
        QTest::newRow("quote and backslash") << QByteArray("say \"hi\" \\") << QByteArray("\"say \\\"hi\\\" \\\\\"") << QStringLiteral("say \"hi\" \\");
        QTest::newRow("line ends and tab") << QByteArray("a\r\nb\tc") << QByteArray("\"a\\r\\nb\\tc\"") << QStringLiteral("a\r\nb\tc");
        QTest::newRow("other controls") << QByteArray("\x01\x1f\x7f\b\f", 5) << QByteArray("\"\\u0001\\u001f\\u007f\\b\\f\"")
                                        << QString::fromUtf8("\x01\x1f\x7f\b\f", 5);
        QTest::newRow("a zero byte") << QByteArray("a\0b", 3) << QByteArray("\"a\\u0000b\"") << QString::fromUtf8("a\0b", 3);
        QTest::newRow("a stray byte") << QByteArray("a\xff" "b") << QByteArray("\"a\xEF\xBF\xBD" "b\"") << QStringLiteral("a\uFFFDb");
        QTest::newRow("a cut character") << QByteArray("x\xE3\x81") << QByteArray() << QString();
        QTest::newRow("a surrogate") << QByteArray("\xED\xA0\x80") << QByteArray() << QString();
        QTest::newRow("an overlong slash") << QByteArray("\xC0\xAF") << QByteArray() << QString();
        QTest::newRow("line separators") << QByteArray("a\xE2\x80\xA8" "b\xE2\x80\xA9") << QByteArray("\"a\\u2028b\\u2029\"")
                                         << QStringLiteral("a\u2028b\u2029");
    }
    // clang-format on
    void strings()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, json);
        QFETCH(QString, readBack);
        const QByteArray written = QByteArray::fromStdString(jsonString(text.toStdString()));
        if (!json.isEmpty() || text.isEmpty()) QCOMPARE(written, json);

        // Whatever the bytes, the string is valid JSON of valid UTF-8 that reads back.
        QVERIFY(QString::fromUtf8(written).toUtf8() == written);
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson("[" + written + "]", &error);
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
        const QString read = document.array().at(0).toString();
        if (!readBack.isEmpty() || text.isEmpty())
            QCOMPARE(read, readBack);
        else
            QVERIFY2(read.contains(QChar(0xFFFD)), qPrintable(read));
    }

    void nestedObjectsAndArrays()
    {
        JsonWriter json;
        json.beginObject();
        json.key("tape").beginObject(true);
        json.key("minutes").value(46);
        json.key("sideCapacity").value(1425);
        json.endObject();
        json.key("tracks").beginArray();
        json.beginObject(true);
        json.key("title").value("a\"b");
        json.key("nested").beginArray();
        json.value(1);
        json.value(true);
        json.null();
        json.endArray();
        json.endObject();
        json.endArray();
        json.key("empty").beginArray();
        json.endArray();
        json.key("nothing").beginObject();
        json.endObject();
        json.key("big").value(9007199254740991LL);
        json.endObject();

        const QByteArray text = QByteArray::fromStdString(json.text());
        QCOMPARE(text, QByteArray("{\n"
                                  "  \"tape\": {\"minutes\": 46, \"sideCapacity\": 1425},\n"
                                  "  \"tracks\": [\n"
                                  "    {\"title\": \"a\\\"b\", \"nested\": [1, true, null]}\n"
                                  "  ],\n"
                                  "  \"empty\": [],\n"
                                  "  \"nothing\": {},\n"
                                  "  \"big\": 9007199254740991\n"
                                  "}\n"));
        QJsonParseError error{};
        const QJsonObject object = QJsonDocument::fromJson(text, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(object["tape"]["sideCapacity"].toInt(), 1425);
        QCOMPARE(object["tracks"][0]["title"].toString(), QStringLiteral("a\"b"));
    }
};

QTEST_APPLESS_MAIN(TestJsonWriter)

#include "test_json_writer.moc"
