// CSV exports of streaming playlists: the columns found by their names, quoting, encodings.

#include <QtTest>

#include "core/streaming_csv.h"

using namespace vantoli;

namespace {

// "milliseconds|title|artist|album" per row ("-" for no length); "<none>" when the file is refused.
QStringList described(const std::optional<std::vector<CsvPlaylistRow>>& rows)
{
    if (!rows) return {"<none>"};
    QStringList out;
    for (const CsvPlaylistRow& row : *rows)
        out << QStringLiteral("%1|%2|%3|%4")
                   .arg(row.milliseconds ? QString::number(*row.milliseconds) : QStringLiteral("-"),
                        QString::fromStdString(row.title), QString::fromStdString(row.artist),
                        QString::fromStdString(row.album));
    return out;
}

}  // namespace

class TestStreamingCsv : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void rows_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("current export with BOM")
            << QByteArray("\xEF\xBB\xBF\"Track URI\",\"Track Name\",\"Artist URI(s)\",\"Artist Name(s)\",\"Album Name\",\"Track Duration (ms)\"\r\n"
                          "\"spotify:track:1\",\"Song, Act 1\",\"x\",\"A,B\",\"Album\",\"215000\"\r\n")
            << QStringList{"215000|Song, Act 1|A, B|Album"};
        QTest::newRow("older column names")
            << QByteArray("Spotify URI,Track Name,Artist Name,Album Name,Duration (ms)\nu,Song,Band,LP,180000\n")
            << QStringList{"180000|Song|Band|LP"};
        QTest::newRow("quoted line break and quotes")
            << QByteArray("Track Name,Track Duration (ms)\n\"Two\nLines \"\"Q\"\"\",1000\n")
            << QStringList{"1000|Two\nLines \"Q\"||"};
        QTest::newRow("comma inside an artist's name")
            << QByteArray("Track Name,Artist Name(s),Track Duration (ms)\nS,\"Earth\\, Wind & Fire,X\",1000\n")
            << QStringList{"1000|S|Earth, Wind & Fire, X|"};
        QTest::newRow("columns in another order and case")
            << QByteArray("DURATION (MS),track name\n2000,S\n") << QStringList{"2000|S||"};
        QTest::newRow("decimal length") << QByteArray("Track Name,Duration (ms)\nS,2000.0\n") << QStringList{"2000|S||"};
        QTest::newRow("bad length kept as a row without one")
            << QByteArray("Track Name,Duration (ms)\nS,abc\nT,\nU,-5\n") << QStringList{"-|S||", "-|T||", "-|U||"};
        QTest::newRow("short row and blank rows")
            << QByteArray("Track Name,Artist Name(s),Track Duration (ms)\n\n,,\nS\n") << QStringList{"-|S||"};
        QTest::newRow("Shift-JIS") << QByteArray("Track Name,Duration (ms)\n\x8b\xc8,1000\n") << QStringList{"1000|曲||"};
        QTest::newRow("no length column") << QByteArray("Track Name,Artist Name(s)\nS,A\n") << QStringList{"<none>"};
        QTest::newRow("no title column") << QByteArray("Artist,Duration (ms)\nA,1000\n") << QStringList{"<none>"};
        QTest::newRow("empty file") << QByteArray() << QStringList{"<none>"};
        QTest::newRow("binary") << QByteArray("Track Name,Duration (ms)\n\0\1\2", 28) << QStringList{"<none>"};
    }
    // clang-format on

    void rows()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, rows);
        QCOMPARE(described(parseStreamingCsv(std::string_view(bytes.constData(), bytes.size()))), rows);
    }
};

QTEST_APPLESS_MAIN(TestStreamingCsv)
#include "test_streaming_csv.moc"
