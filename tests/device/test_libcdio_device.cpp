#include <QtTest>

#include <QTemporaryDir>

#include "core/disc_id.h"
#include "device/libcdio_device.h"
#include "support/disc_image.h"
#include "support/musicbrainz_answers.h"

using namespace vantoli;
using namespace vantoli::test;

Q_DECLARE_METATYPE(std::vector<vantoli::test::ImageTrack>)

namespace {

// Lengths that differ from track to track and rarely fall on a whole second.
std::vector<ImageTrack> variedTracks(int count)
{
    std::vector<ImageTrack> tracks;
    for (int i = 0; i < count; ++i) tracks.push_back({30 * SectorsPerSecond + (i * 7919) % 12000, false});
    return tracks;
}

}  // namespace

class TestLibcdioDevice : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void readsTheTableOfContents_data()
    {
        QTest::addColumn<std::vector<ImageTrack>>("tracks");
        QTest::newRow("12 tracks") << variedTracks(12);
        QTest::newRow("20 tracks") << variedTracks(20);
        QTest::newRow("21 tracks") << variedTracks(21);
        QTest::newRow("24 tracks, 74 frames past the second")
            << audioTracks({243, 299, 219, 215, 230, 250, 148, 147, 231, 221, 261, 257,
                            147, 124, 214, 177, 136, 123, 237, 277, 262, 110, 252, 201},
                           74);
        QTest::newRow("99 tracks") << variedTracks(99);
        QTest::newRow("tracks shorter than a second")
            << std::vector<ImageTrack>{{1, false}, {74, false}, {75, false}, {3 * 60 * SectorsPerSecond + 37, false}};
        QTest::newRow("one track of 79 minutes") << audioTracks({79 * 60 + 59});
        QTest::newRow("data track is a track too")
            << std::vector<ImageTrack>{{4500, false}, {9000, false}, {20000, true}};
        QTest::newRow("data track first") << std::vector<ImageTrack>{{30000, true}, {13500, false}, {13537, false}};
    }
    // clang-format on
    void readsTheTableOfContents()
    {
        QFETCH(std::vector<ImageTrack>, tracks);
        QTemporaryDir folder;
        const QString cue = writeDiscImage(folder.path(), tracks);
        QVERIFY(!cue.isEmpty());

        LibcdioDevice device(cue.toStdString());
        device.selectCdAudio();
        device.open();
        device.setMillisecondsFormat();
        QCOMPARE(device.tracks(), std::int32_t(tracks.size()));
        for (std::size_t i = 0; i < tracks.size(); ++i) {
            device.setTrack(std::int32_t(i + 1));
            QCOMPARE(device.track(), std::int32_t(i + 1));
            QCOMPARE(device.trackLength(), millisecondsOf(tracks[i].sectors));
        }
        // Tracks count from 1; there is nothing before the first or after the last.
        device.setTrack(0);
        QCOMPARE(device.trackLength(), 0);
        device.setTrack(std::int32_t(tracks.size() + 1));
        QCOMPARE(device.trackLength(), 0);
        device.close();
    }

    // clang-format off
    void unreadableSourcesHaveNoTracks_data()
    {
        QTest::addColumn<QString>("cueSheet");  // written as disc.cue unless empty
        QTest::addColumn<bool>("writeBin");     // a sparse disc.bin of one minute
        QTest::addColumn<QString>("open");      // the file the device is given
        QTest::newRow("no such file") << QString() << false << "missing.cue";
        QTest::newRow("BIN without its CUE sheet") << QString() << true << "disc.bin";
        QTest::newRow("CUE sheet without its BIN")
            << "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n" << false << "disc.cue";
        QTest::newRow("CUE sheet of prose") << "This is no cue sheet at all.\n" << true << "disc.cue";
        QTest::newRow("unknown track mode")
            << "FILE \"disc.bin\" BINARY\n  TRACK 01 VINYL\n    INDEX 01 00:00:00\n" << true << "disc.cue";
        QTest::newRow("time out of range")
            << "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:61:00\n" << true << "disc.cue";
        QTest::newRow("a folder") << QString() << false << ".";
    }
    // clang-format on
    void unreadableSourcesHaveNoTracks()
    {
        QFETCH(QString, cueSheet);
        QFETCH(bool, writeBin);
        QFETCH(QString, open);
        QTemporaryDir folder;
        if (!cueSheet.isEmpty()) QVERIFY(!writeTextFile(folder.path(), "disc.cue", cueSheet.toUtf8()).isEmpty());
        if (writeBin) {
            QFile bin(QDir(folder.path()).filePath("disc.bin"));
            QVERIFY(bin.open(QIODevice::WriteOnly) && bin.resize(60 * SectorsPerSecond * RawSectorBytes));
        }

        LibcdioDevice device(QDir(folder.path()).filePath(open).toStdString());
        device.open();
        device.setMillisecondsFormat();
        QCOMPARE(device.tracks(), 0);
        device.setTrack(1);
        QCOMPARE(device.trackLength(), 0);
        device.close();
        QCOMPARE(device.tracks(), 0);
    }

    // An image laid out as a known disc gives that disc's table, and so its disc ID: the offsets
    // count from the lead-in (the first track at 150), the lead-out follows the last track. A closed
    // device has no table.
    void tableOfContentsGivesTheDiscId()
    {
        std::vector<ImageTrack> tracks;
        const int count = static_cast<int>(std::size(KnownOffsets));
        for (int i = 0; i < count; ++i)
            tracks.push_back({(i + 1 < count ? KnownOffsets[i + 1] : KnownLeadOut) - KnownOffsets[i], false});
        QTemporaryDir folder;
        LibcdioDevice device(writeDiscImage(folder.path(), tracks).toStdString());
        QVERIFY(device.toc().offsets.empty());
        device.open();
        const DiscToc toc = device.toc();
        QCOMPARE(toc.offsets.front(), 150);
        QCOMPARE(toc.leadOut, KnownLeadOut);
        QCOMPARE(QString::fromStdString(musicBrainzDiscId(toc)), QString(KnownDiscId));
    }

    // The data track of an enhanced CD is no part of the disc ID: the audio ends 11 400 frames
    // before it.
    void tableOfContentsLeavesOutTheDataTrack()
    {
        QTemporaryDir folder;
        LibcdioDevice device(
            writeDiscImage(folder.path(), {{20000, false}, {20000, false}, {20000, true}}).toStdString());
        device.open();
        QCOMPARE(device.tracks(), 3);
        const DiscToc toc = device.toc();
        QCOMPARE(toc.offsets, (std::vector<std::int32_t>{150, 20150}));
        QCOMPARE(toc.leadOut, 40150 - 11400);
    }

    void closeWhenNotOpenDoesNothing()
    {
        QTemporaryDir folder;
        LibcdioDevice device(writeDiscImage(folder.path(), variedTracks(3)).toStdString());
        device.close();
        device.close();
        QCOMPARE(device.tracks(), 0);
        device.open();
        QCOMPARE(device.tracks(), 3);
    }

    void closeForgetsTheDiscAndOpenReadsItAgain()
    {
        QTemporaryDir folder;
        const QString cue = writeDiscImage(folder.path(), variedTracks(5));
        LibcdioDevice device(cue.toStdString());
        device.open();
        QCOMPARE(device.tracks(), 5);
        device.close();
        QCOMPARE(device.tracks(), 0);
        device.setTrack(1);
        QCOMPARE(device.trackLength(), 0);

        // Another disc in the drive: open reads it afresh, also without a close in between.
        QCOMPARE(writeDiscImage(folder.path(), audioTracks({100, 200})), cue);
        device.open();
        QCOMPARE(device.tracks(), 2);
        QVERIFY(!writeDiscImage(folder.path(), audioTracks({100, 200, 300, 400})).isEmpty());
        device.open();
        QCOMPARE(device.tracks(), 4);
        device.setTrack(4);
        QCOMPARE(device.trackLength(), 400000);
    }

    // Whatever the machine's drive holds (usually there is no drive at all), opening it reports a
    // CD's track count or 0 and never fails.
    void defaultDriveOpensAndCloses()
    {
        LibcdioDevice device;
        device.selectCdAudio();
        device.close();
        device.open();
        device.setMillisecondsFormat();
        QVERIFY(device.tracks() >= 0 && device.tracks() <= 99);
        device.close();
        QCOMPARE(device.tracks(), 0);
    }
};

QTEST_APPLESS_MAIN(TestLibcdioDevice)
#include "test_libcdio_device.moc"
