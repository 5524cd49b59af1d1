// Track lists pasted as text: which lines read, and what title, artist and time each gives.

#include <QtTest>

#include "core/pasted_tracks.h"

using namespace vantoli;

namespace {

// "seconds|title|artist" per line read, "?" for a line marked unreadable, "-" for one that is no track.
QStringList described(const std::vector<PastedLine>& lines)
{
    QStringList out;
    for (const PastedLine& line : lines) {
        if (!line.track) {
            out << (line.notATrack ? "-" : "?");
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
        QTest::newRow("heading without a time") << "Tracklist\nA 1:00" << QStringList{"-", "60|A|"};
        QTest::newRow("seconds of 60 or more") << "A 4:60" << QStringList{"?"};
        QTest::newRow("minutes of 60 or more in h:mm:ss") << "A 1:60:00" << QStringList{"?"};
        QTest::newRow("zero length") << "A 0:00" << QStringList{"?"};
        QTest::newRow("date is no time") << "2023-04-05 12:345" << QStringList{"?"};
        QTest::newRow("decimal is no time") << "Vol 1.5:00" << QStringList{"?"};
        // Position codes are no part of the title (fault: "A6 Song" as the title).
        QTest::newRow("record sides") << "A1 Intro 0:45\nB12 Outro 1:00" << QStringList{"45|Intro|", "60|Outro|"};
        QTest::newRow("disc and track") << "1-03 Song 3:00\nCD2-4. Other 2:00\nDisc 2-5 Third 1:00"
                                        << QStringList{"180|Song|", "120|Other|", "60|Third|"};
        QTest::newRow("side letter past H is a title") << "K2 Mountain 3:00" << QStringList{"180|K2 Mountain|"};
        QTest::newRow("A1 glued to a word is a title") << "A1B Song 3:00" << QStringList{"180|A1B Song|"};
        // Totals, headings and a store's words are left out, not read as tracks (faults: the total as an
        // eleventh track, "Buy track" as the artist, a heading shown as unreadable).
        QTest::newRow("total by its words") << "A 1:00\nTotal length: 45:30" << QStringList{"60|A|", "-"};
        QTest::newRow("total in Japanese") << "A 1:00\n合計時間 45:30\n全2曲 (3:00)" << QStringList{"60|A|", "-", "-"};
        QTest::newRow("title starting with Total") << "Total Eclipse 4:30" << QStringList{"270|Total Eclipse|"};
        QTest::newRow("last time the sum of the others") << "A 1:00\nB 2:00\n3:01" << QStringList{"60|A|", "120|B|", "-"};
        QTest::newRow("one track and its length") << "A 1:00\n1:00" << QStringList{"60|A|", "60||"};
        QTest::newRow("column headings") << "#\tTitle\tArtist\tTime\n曲名　アーティスト　時間\nDisc 2\nSide B\nB面"
                                         << QStringList{"-", "-", "-", "-", "-"};
        QTest::newRow("store words after the time") << "1. Song - Band 4:31 Buy track\nOther 3:00 ¥250 試聴"
                                                    << QStringList{"271|Song|Band", "180|Other|"};
        QTest::newRow("store link alone") << "Buy album\nhttps://shop.example/a\nA 1:00" << QStringList{"-", "-", "60|A|"};
        QTest::newRow("artist named like a store word stays") << "Song 3:00 Play" << QStringList{"180|Song|Play"};
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
