// What the read of files says to the user: the messages of the command, and how a track with its
// title is written in the window.

#include <QtTest>

#include "core/file_read_result.h"
#include "core/message.h"
#include "core/track_caption.h"

using namespace vantoli;

Q_DECLARE_METATYPE(vantoli::Message)
Q_DECLARE_METATYPE(vantoli::MessageIcon)

namespace {

UnreadableFiles missingFiles(int count)
{
    UnreadableFiles unreadable;
    for (int i = 1; i <= count; ++i)
        unreadable.files.push_back({std::to_string(i) + ".flac", {}, FileProblem::Missing});
    return unreadable;
}

}  // namespace

class TestFileTracks : public QObject {
    Q_OBJECT
private slots:
    // A CSV with an unterminated quote gave an 880 KB message, its box taller than the screen: a
    // message shown is at most a screenful, cut lines and the lines left out said so.
    void messagesFitAScreen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("ending");
        QTest::newRow("one huge name") << QString(880'000, QChar(u'名')) << 1 << "…";
        QTest::newRow("many lines") << QString("line\r\n").repeated(400) << int(MessageLines) + 1 << "…ほか 375 行";
        QTest::newRow("CR lines") << QString("x\r").repeated(26) << 26 << "\r";
        QTest::newRow("short") << "a\rb" << 2 << "b";
    }
    void messagesFitAScreen()
    {
        QFETCH(QString, text);
        QFETCH(int, lines);
        QFETCH(QString, ending);
        const QString shown = QString::fromStdString(screenful(Message{"t", text.toStdString()}).text);
        const QStringList split = shown.split(QRegularExpression("\r\n|\r|\n"));
        QCOMPARE(split.size() - (shown.endsWith('\r') || shown.endsWith('\n') ? 1 : 0), lines);
        for (const QString& line : split) QVERIFY(line.size() <= int(MessageLineCharacters) + 1);
        QVERIFY2(shown.endsWith(ending), qPrintable(shown.right(20)));
    }

    // clang-format off
    void messages_data()
    {
        QTest::addColumn<Message>("message");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<MessageIcon>("icon");
        QTest::newRow("nothing to read") << noFileTracksMessage() << "ファイル読み取りエラー"
                                         << "読み取れる曲がありません。" << MessageIcon::Stop;
        QTest::newRow("21 to 99") << longFileListMessage() << "21曲以上"
            << "読み取った曲は21曲以上あります。\r\nトラック構成案は結果レポートに表示します。"
            << MessageIcon::Information;
        QTest::newRow("100 and more") << tooManyFileTracksMessage() << "100曲以上"
            << "読み取った曲は100曲以上あります。\r\n現在のバージョンでは対応していません。"
            << MessageIcon::Exclamation;
        QTest::newRow("one missing file") << unreadableFilesMessage(missingFiles(1)) << "ファイル読み取りエラー"
            << "次のファイルを読み取れません。\r\n・1.flac（見つかりません）" << MessageIcon::Stop;
        QTest::newRow("five are all named") << unreadableFilesMessage(missingFiles(5)) << "ファイル読み取りエラー"
            << "次のファイルを読み取れません。\r\n・1.flac（見つかりません）\r\n・2.flac（見つかりません）\r\n"
               "・3.flac（見つかりません）\r\n・4.flac（見つかりません）\r\n・5.flac（見つかりません）"
            << MessageIcon::Stop;
        QTest::newRow("the rest are counted") << unreadableFilesMessage(missingFiles(8)) << "ファイル読み取りエラー"
            << "次のファイルを読み取れません。\r\n・1.flac（見つかりません）\r\n・2.flac（見つかりません）\r\n"
               "・3.flac（見つかりません）\r\n・4.flac（見つかりません）\r\n・5.flac（見つかりません）\r\nほか 3 件"
            << MessageIcon::Stop;
        QTest::newRow("named by a playlist")
            << unreadableFilesMessage({{{"03 曲.mp3", "album.m3u", FileProblem::NotAudio},
                                        {"inner.m3u", "album.m3u", FileProblem::ListInList}}})
            << "ファイル読み取りエラー"
            << "次のファイルを読み取れません。\r\n・album.m3u の 03 曲.mp3（音声ファイルとして読めません）\r\n"
               "・album.m3u の inner.m3u（プレイリストの中のプレイリストは読みません）"
            << MessageIcon::Stop;
    }
    // clang-format on
    void messages()
    {
        QFETCH(Message, message);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(MessageIcon, icon);
        QCOMPARE(QString::fromStdString(message.title), title);
        QCOMPARE(QString::fromStdString(message.text), text);
        QCOMPARE(message.icon, icon);
    }

    void everyProblemHasItsOwnText()
    {
        QSet<QString> texts;
        const FileProblem all[] = {FileProblem::Missing,      FileProblem::NotAFile,      FileProblem::CannotOpen,
                                   FileProblem::NotAudio,     FileProblem::UnknownLength, FileProblem::TooLarge,
                                   FileProblem::NotAPlaylist, FileProblem::NotACueSheet,  FileProblem::ListInList,
                                   FileProblem::TooManyFiles, FileProblem::NotLocal,      FileProblem::PastFileEnd};
        for (FileProblem problem : all) texts.insert(QString::fromStdString(fileProblemText(problem)));
        QCOMPARE(texts.size(), int(std::size(all)));
        QVERIFY(!texts.contains(QString()));
    }

    // clang-format off
    void captions_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("artist");
        QTest::addColumn<QString>("caption");
        QTest::newRow("title and artist") << 3 << "曲名" << "アーティスト" << "3. 曲名 — アーティスト";
        QTest::newRow("title alone") << 12 << "Intro" << "" << "12. Intro";
        QTest::newRow("artist alone") << 1 << "" << "Band" << "1. （無題） — Band";
        QTest::newRow("neither") << 5 << "" << "" << "";
    }
    // clang-format on
    void captions()
    {
        QFETCH(int, number);
        QFETCH(QString, title);
        QFETCH(QString, artist);
        QFETCH(QString, caption);
        const Track track{1000, title.toStdString(), artist.toStdString(), {}};
        QCOMPARE(QString::fromStdString(trackCaption(std::size_t(number), track)), caption);
    }

    // clang-format off
    void entryTexts_data()
    {
        QTest::addColumn<qint64>("milliseconds");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("seconds");
        QTest::newRow("4 min 31.9 s") << qint64(271900) << "431" << 271;
        QTest::newRow("0.9 s") << qint64(900) << "0" << 0;
        QTest::newRow("exactly an hour") << qint64(3600000) << "6000" << 3600;
        QTest::newRow("beyond 32 bits of milliseconds") << qint64(5000000000) << "3579123" << 5000000;
        QTest::newRow("negative") << qint64(-5) << "0" << 0;
    }
    // clang-format on
    void entryTexts()
    {
        QFETCH(qint64, milliseconds);
        QFETCH(QString, text);
        QFETCH(int, seconds);
        const Track track{milliseconds, {}, {}, {}};
        QCOMPARE(QString::fromStdString(trackEntryText(track)), text);
        QCOMPARE(trackSeconds(TrackList{{}, {}, {track, track}}), (std::vector<int>{seconds, seconds}));
    }
};

QTEST_APPLESS_MAIN(TestFileTracks)
#include "test_file_read_result.moc"
