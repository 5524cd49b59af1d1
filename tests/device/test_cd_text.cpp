// The titles and performers a disc carries as CD-Text, read through the CD device from disc images whose
// sheets hold TITLE and PERFORMER lines in UTF-8 or Shift-JIS.

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "device/libcdio_device.h"
#include "support/disc_image.h"

using namespace vantoli;
using namespace vantoli::test;

namespace {

// A sheet for a sparse `disc.bin` of three minutes: one track from 0:00, one from 2:00.
QByteArray twoTrackSheet(const QByteArray& discTitle, const QByteArray& discPerformer, const QByteArray& title1,
                         const QByteArray& performer1, const QByteArray& title2)
{
    QByteArray sheet;
    if (!discTitle.isEmpty()) sheet += "TITLE \"" + discTitle + "\"\r\n";
    if (!discPerformer.isEmpty()) sheet += "PERFORMER \"" + discPerformer + "\"\r\n";
    sheet += "FILE \"disc.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n";
    if (!title1.isEmpty()) sheet += "    TITLE \"" + title1 + "\"\r\n";
    if (!performer1.isEmpty()) sheet += "    PERFORMER \"" + performer1 + "\"\r\n";
    sheet += "    INDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\n";
    if (!title2.isEmpty()) sheet += "    TITLE \"" + title2 + "\"\r\n";
    sheet += "    INDEX 01 02:00:00\r\n";
    return sheet;
}

QString writeImage(const QString& folder, const QByteArray& sheet)
{
    QFile bin(QDir(folder).filePath("disc.bin"));
    if (!bin.open(QIODevice::WriteOnly) || !bin.resize(qint64(3) * 60 * SectorsPerSecond * RawSectorBytes)) return {};
    return writeTextFile(folder, "disc.cue", sheet);
}

QStringList described(const TrackList& list)
{
    QStringList lines{QString::fromStdString(list.album) + " / " + QString::fromStdString(list.artist)};
    for (const Track& track : list.tracks)
        lines << QString::number(track.milliseconds) + " " + QString::fromStdString(track.title) + " / " +
                     QString::fromStdString(track.artist);
    return lines;
}

}  // namespace

class TestCdText : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void titles_data()
    {
        QTest::addColumn<QByteArray>("sheet");
        QTest::addColumn<QStringList>("titles");
        // "表" 95 5C, "ソ" 83 5C, "能" 94 5C: every second byte is ASCII's backslash.
        QTest::newRow("Shift-JIS with trail bytes 0x5C")
            << twoTrackSheet("\x95\x5C", "\x83\x5C\x83\x8C\x83\x8D", "\x94\x5C\x83\x5C", "\x95\x5C\x94\x5C",
                             "\x83\x5C\x94\x5C\x95\x5C")
            << QStringList{"表 / ソレロ", "120000 能ソ / 表能", "60000 ソ能表 / ソレロ"};
        QTest::newRow("UTF-8") << twoTrackSheet("表ソ能", "Band", "First", "", "二曲目")
                               << QStringList{"表ソ能 / Band", "120000 First / Band", "60000 二曲目 / Band"};
        QTest::newRow("Latin-1") << twoTrackSheet("Caf\xE9", "", "Na\xEFve", "", "")
                                 << QStringList{"Café / ", "120000 Naïve / ", "60000  / "};
        QTest::newRow("no CD-Text") << twoTrackSheet("", "", "", "", "")
                                    << QStringList{" / ", "120000  / ", "60000  / "};
    }
    // clang-format on
    void titles()
    {
        QFETCH(QByteArray, sheet);
        QFETCH(QStringList, titles);
        QTemporaryDir folder;
        const QString cue = writeImage(folder.path(), sheet);
        QVERIFY(!cue.isEmpty());

        LibcdioDevice device(cue.toStdString());
        device.open();
        device.setMillisecondsFormat();
        QCOMPARE(device.tracks(), 2);
        device.setTrack(2);
        QCOMPARE(described(device.titles()), titles);
        // The lengths are those the track length reads, and the selected track stays.
        QCOMPARE(device.track(), 2);
        QCOMPARE(device.titles().tracks.at(1).milliseconds, std::int64_t(device.trackLength()));
        device.close();
    }

    void noTitlesWhileClosed()
    {
        QTemporaryDir folder;
        const QString cue = writeImage(folder.path(), twoTrackSheet("Album", "Band", "One", "", "Two"));
        LibcdioDevice device(cue.toStdString());
        QCOMPARE(device.titles(), TrackList());
        device.open();
        QCOMPARE(device.titles().tracks.size(), std::size_t(2));
        device.close();
        QCOMPARE(device.titles(), TrackList());
    }

    void noTitlesWithoutADisc()
    {
        LibcdioDevice device(QDir::temp().filePath("no-such-vantoli-image.cue").toStdString());
        device.open();
        QCOMPARE(device.titles(), TrackList());
    }
};

QTEST_APPLESS_MAIN(TestCdText)
#include "test_cd_text.moc"
