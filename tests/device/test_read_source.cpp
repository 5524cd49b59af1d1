// The one read step of the window and vantoli-plan: what a disc image and audio files give, where
// each track's audio is, and the messages that end a read.

#include <QtTest>

#include <QTemporaryDir>

#include "core/disc_kind.h"
#include "core/file_read_result.h"
#include "device/read_source.h"
#include "device/taglib_reader.h"
#include "support/audio_files.h"
#include "support/disc_image.h"

using namespace vantoli;
using namespace vantoli::test;

class TestReadSource : public QObject {
    Q_OBJECT
private slots:
    // Each disc track says which track of which drive or image it is, for playing it later; a
    // track number off by one would play the wrong song.
    void discTracksNameTheirDriveAndNumber()
    {
        QTemporaryDir folder;
        const std::vector<int> seconds{200, 300, 250};
        const QString image = writeDiscImage(folder.path(), audioTracks(seconds), {"アルバム", "歌手"},
                                             {{"一", ""}, {"二", ""}, {"三", ""}});
        QVERIFY(!image.isEmpty());
        const SourceTracks read = readSource(DriveSource{image.toStdString()}, TagLibReader());
        QVERIFY(std::holds_alternative<TrackList>(read));
        const TrackList& list = std::get<TrackList>(read);
        QCOMPARE(list.album, std::string("アルバム"));
        QCOMPARE(list.tracks.size(), std::size_t(3));
        for (int n = 1; n <= 3; ++n) {
            const Track& track = list.tracks[std::size_t(n - 1)];
            QCOMPARE(track.milliseconds, std::int64_t(seconds[std::size_t(n - 1)]) * 1000);
            QCOMPARE(track.audio, (AudioSource{AudioSource::Kind::CdTrack, image.toStdString(), 0, -1, n}));
        }
    }

    void audioFilesNameTheirFile()
    {
        QTemporaryDir folder;
        const QString wav = writeWav(folder.path(), "a.wav", framesOf(2000));
        const SourceTracks read = readSource(FileSource{{folder.path().toStdString()}}, TagLibReader());
        QVERIFY(std::holds_alternative<TrackList>(read));
        QCOMPARE(std::get<TrackList>(read).tracks.at(0).audio,
                 (AudioSource{AudioSource::Kind::File, wav.toStdString(), 0, -1, 0}));
    }

    // clang-format off
    void messages_data()
    {
        QTest::addColumn<bool>("drive");
        QTest::addColumn<int>("tracks");  // audio files or disc tracks to write; -1: nothing there
        QTest::addColumn<QString>("message");
        QTest::newRow("no disc image") << true << -1 << QStringLiteral("ディスクイメージ「none.cue」が見つかりません。");
        QTest::newRow("an empty folder") << false << 0 << QString::fromStdString(noFileTracksMessage().text);
        QTest::newRow("100 files") << false << 100 << QString::fromStdString(tooManyFileTracksMessage().text);
    }
    // clang-format on
    void messages()
    {
        QFETCH(bool, drive);
        QFETCH(int, tracks);
        QFETCH(QString, message);
        QTemporaryDir folder;
        for (int i = 1; i <= tracks; ++i) QVERIFY(!writeWav(folder.path(), QString("%1.wav").arg(i), 441).isEmpty());
        const std::string path = (drive ? folder.filePath("none.cue") : folder.path()).toStdString();
        const SourceTracks read = readSource(drive ? Source(DriveSource{path}) : Source(FileSource{{path}}), TagLibReader());
        QVERIFY(std::holds_alternative<Message>(read));
        QCOMPARE(QString::fromStdString(std::get<Message>(read).text), message);
    }
};

QTEST_GUILESS_MAIN(TestReadSource)
#include "test_read_source.moc"
