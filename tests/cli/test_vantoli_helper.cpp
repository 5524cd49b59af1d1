// vantoli-helper, the window's helper, started as the window starts it (ChildTagReader), on audio files
// the test encodes: what it answers is what TagLib reads in this process.

#include <QtTest>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "device/child_tag_reader.h"
#include "device/tag_answer.h"
#include "device/taglib_reader.h"
#include "support/audio_files.h"

using namespace vantoli;
using namespace vantoli::test;

class TestVantoliHelper : public QObject {
    Q_OBJECT
private slots:
    // --read-tags answers the window one line per NUL-ended path, in turn, with what TagLib reads
    // here: a path holding a line break is one path, not two; a file that is no audio, or is not
    // there, is null and the next path is still answered; the last path may come without its NUL.
    void readTagsAnswersEachPathInTurn()
    {
        QTemporaryDir folder;
        const QString tagged = writeEncoded(Encoder::Flac, folder.path(), "two\nlines.flac", 4400,
                                            {"曲名「表ソ能」", "アーティスト", "アルバム"});
        const QString plain = writeWav(folder.path(), "plain.wav", framesOf(2500));
        QVERIFY2(!tagged.isEmpty(), "flac failed");
        QFile notes(folder.filePath("notes.flac"));
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("not sound") > 0);
        notes.close();
        const QStringList paths{tagged, notes.fileName(), folder.filePath("missing.flac"), plain};

        QProcess child;
        child.start(QStringLiteral(VANTOLI_HELPER_PROGRAM), {"--read-tags"});
        QVERIFY(child.waitForStarted());
        QByteArray request;
        for (const QString& path : paths) request += QFile::encodeName(path) + '\0';
        request.chop(1);
        child.write(request);
        child.closeWriteChannel();
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 0);
        const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
        QCOMPARE(lines.size(), paths.size() + 1);  // each line ends with its line break

        for (qsizetype i = 0; i < paths.size(); ++i) {
            const std::optional<AudioFileTags> expected =
                TagLibReader().read(QFile::encodeName(paths[i]).toStdString());
            // Read back as the window reads it: a field the two sides spell differently comes back empty.
            QVERIFY2(parseTagAnswer(lines[i].toStdString()) == expected, qPrintable(paths[i]));
        }
        QCOMPARE(QJsonDocument::fromJson(lines[0])["title"].toString(), QStringLiteral("曲名「表ソ能」"));
        QCOMPARE(QJsonDocument::fromJson(lines[3])["milliseconds"].toInteger(), 2500);
    }

    // A helper that dies on a file (as TagLib crashing on it would) costs that file only: the reader
    // neither hangs nor takes its caller with it (no SIGPIPE), and the next file gets a helper of its own.
    void aHelperThatDiesCostsOnlyItsFile()
    {
        QTemporaryDir folder;
        const QString wav = writeWav(folder.path(), "a.wav", framesOf(3000));
        const QString helper = folder.filePath("helper.sh");
        QFile script(helper);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n"
                     "if [ ! -e \"$0.died\" ]; then : > \"$0.died\"; exit 1; fi\n"
                     "exec \"$REAL_HELPER\" \"$@\"\n");
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
        qputenv("REAL_HELPER", VANTOLI_HELPER_PROGRAM);
        const ChildTagReader reader(QFile::encodeName(helper).toStdString());
        const std::string path = QFile::encodeName(wav).toStdString();
        QVERIFY(!reader.read(path));
        const std::optional<AudioFileTags> second = reader.read(path);
        QVERIFY(second);
        QCOMPARE(second->milliseconds, 3000);
        // A helper that cannot be started at all is a file not read, not a failure of the caller.
        QVERIFY(!ChildTagReader(QFile::encodeName(folder.filePath("none")).toStdString()).read(path));
    }

    // Anything but its two requests is refused with status 2: the window never sends one, and a user
    // who runs it by hand learns what it is for.
    void refusesAnythingElse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("nothing") << QStringList{};
        QTest::newRow("a plan's times") << QStringList{"431"};
        QTest::newRow("two requests") << QStringList{"--read-tags", "--fetch=http://127.0.0.1:9/"};
        QTest::newRow("read-tags with a value") << QStringList{"--read-tags=-"};
    }
    void refusesAnythingElse()
    {
        QFETCH(QStringList, arguments);
        QProcess child;
        child.start(QStringLiteral(VANTOLI_HELPER_PROGRAM), arguments);
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitCode(), 2);
        QVERIFY(child.readAllStandardError().startsWith("usage: vantoli-helper"));
        QVERIFY(child.readAllStandardOutput().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestVantoliHelper)
#include "test_vantoli_helper.moc"
