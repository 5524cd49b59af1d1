// Tape documents on disk: a tape moved together with its music finds the music in its new place.

#include <QtTest>

#include <QDir>
#include <QTemporaryDir>

#include <variant>

#include "device/tape_document_file.h"

using namespace vantoli;

class TestTapeDocumentFile : public QObject {
    Q_OBJECT
private slots:
    void tapeAndMusicMovedTogether()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString before = dir.filePath("before");
        QVERIFY(QDir().mkpath(before + "/album"));
        QFile music(before + "/album/01.flac");
        QVERIFY(music.open(QIODevice::WriteOnly) && music.write("fLaC") == 4);
        music.close();

        TapeDocument tape;
        tape.lineup = standardLineup();
        tape.tracks.tracks = {
            Track{60'000, "", "", {AudioSource::Kind::File, (before + "/album/01.flac").toStdString()}}};
        stampAudioFiles(tape);
        const std::string path = (before + "/tape.vantoli").toStdString();
        QFile file(QString::fromStdString(path));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(writeTapeDocument(tape, documentFolder(path))));
        file.close();

        // Renaming the folder keeps the files' sizes and times, as moving a folder does.
        const QString after = dir.filePath("after");
        QVERIFY(QDir().rename(before, after));
        const ParsedTapeDocument moved = readTapeDocumentFile((after + "/tape.vantoli").toStdString());
        QVERIFY(std::holds_alternative<TapeDocument>(moved));
        const TapeDocument& document = std::get<TapeDocument>(moved);
        QCOMPARE(QString::fromStdString(document.tracks.tracks[0].audio.path), after + "/album/01.flac");
        QVERIFY(checkAudioFiles(document).empty());
    }
};

QTEST_APPLESS_MAIN(TestTapeDocumentFile)
#include "test_tape_document_file.moc"
