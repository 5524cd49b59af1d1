// Track lists pasted as text: which lines read, and what title, artist and time each gives.

#include <QtTest>

#include "core/pasted_tracks.h"

using namespace vantoli;

namespace {

// "seconds|title|artist" per line read, "?" for a line marked unreadable.
QStringList described(const std::vector<PastedLine>& lines)
{
    QStringList out;
    for (const PastedLine& line : lines) {
        if (!line.track) {
            out << "?";
            continue;
        }
        out << QStringLiteral("%1|%2|%3")
                   .arg(line.track->milliseconds / 1000)
                   .arg(QString::fromStdString(line.track->title), QString::fromStdString(line.track->artist));
    }
    return out;
}

}  // namespace

class TestPastedTracks : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void lines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("tracks");
        QTest::newRow("numbered, en dash, time at the end")
            << "1. Title – Artist 4:31\n2. Other — Someone 3:05" << QStringList{"271|Title|Artist", "185|Other|Someone"};
        QTest::newRow("tab before the time") << "Title\t4:31" << QStringList{"271|Title|"};
        QTest::newRow("time first") << "04:31 Title" << QStringList{"271|Title|"};
        QTest::newRow("hours") << "Long Suite 1:02:03" << QStringList{"3723|Long Suite|"};
        QTest::newRow("full-width digits and colon") << "１．曲名　４：３１" << QStringList{"271|曲名|"};
        QTest::newRow("full-width digits in a title stay") << "ＡＢＣ１２３ 3:00" << QStringList{"180|ＡＢＣ１２３|"};
        QTest::newRow("bracketed time") << "Song (Live) (4:31)" << QStringList{"271|Song (Live)|"};
        QTest::newRow("title, tab, artist, tab, time") << "Song\tBand\t3:20" << QStringList{"200|Song|Band"};
        QTest::newRow("number with tab") << "3\tSong\t3:20" << QStringList{"200|Song|"};
        // A number at the front is dropped only when it is the track's place.
        QTest::newRow("number as its place") << "1 Intro 0:45\n2 Song 3:00" << QStringList{"45|Intro|", "180|Song|"};
        QTest::newRow("number that is a title") << "99 Luftballons 3:52" << QStringList{"232|99 Luftballons|"};
        QTest::newRow("hyphen inside a word is no separator") << "Spider-Man 2:10" << QStringList{"130|Spider-Man|"};
        QTest::newRow("time between title and artist") << "Song 3:20 Band" << QStringList{"200|Song|Band"};
        QTest::newRow("CR LF and blank lines") << "\r\nA 1:00\r\n\r\n  \r\nB 2:00\r\n" << QStringList{"60|A|", "120|B|"};
        // Lines that cannot be read are kept, marked.
        QTest::newRow("heading without a time") << "Tracklist\nA 1:00" << QStringList{"?", "60|A|"};
        QTest::newRow("seconds of 60 or more") << "A 4:60" << QStringList{"?"};
        QTest::newRow("minutes of 60 or more in h:mm:ss") << "A 1:60:00" << QStringList{"?"};
        QTest::newRow("zero length") << "A 0:00" << QStringList{"?"};
        QTest::newRow("date is no time") << "2023-04-05 12:345" << QStringList{"?"};
        QTest::newRow("decimal is no time") << "Vol 1.5:00" << QStringList{"?"};
    }
    // clang-format on

    void lines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, tracks);
        QCOMPARE(described(parsePastedTracks(text.toStdString())), tracks);
    }

    // Line numbers count blank lines too, so the window can point at the line as pasted.
    void lineNumbersAndListSkipUnreadable()
    {
        const std::vector<PastedLine> lines = parsePastedTracks("A 1:00\n\nheading\nB 2:00\n");
        QCOMPARE(lines.size(), std::size_t(3));
        QCOMPARE(lines[1].number, std::size_t(3));
        QCOMPARE(lines[1].text, std::string("heading"));
        const TrackList list = pastedTrackList(lines);
        QCOMPARE(list.tracks.size(), std::size_t(2));
        QCOMPARE(list.tracks[1].milliseconds, 120000);
        QCOMPARE(list.tracks[1].audio.kind, AudioSource::Kind::None);
    }
};

QTEST_APPLESS_MAIN(TestPastedTracks)
#include "test_pasted_tracks.moc"
