// M3U and M3U8 playlists read from their bytes.

#include <QtTest>

#include "core/playlist.h"

using namespace vantoli;

Q_DECLARE_METATYPE(vantoli::TextEncoding)

namespace {

// One line per entry: "path|title" or "elsewhere:<entry>|title"; "<none>" when nothing was read.
QStringList described(const std::optional<std::vector<PlaylistEntry>>& entries)
{
    if (!entries) return {"<none>"};
    QStringList lines;
    for (const PlaylistEntry& entry : *entries) {
        QString line = entry.elsewhere.empty() ? QString::fromStdString(entry.path)
                                               : "elsewhere:" + QString::fromStdString(entry.elsewhere);
        if (!entry.title.empty()) line += "|" + QString::fromStdString(entry.title);
        lines << line;
    }
    return lines;
}

}  // namespace

class TestPlaylist : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void entries_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("relative and absolute")
            << QByteArray("01 Intro.flac\n/music/album/02 Song.flac\n") << TextEncoding::Utf8
            << QStringList{"01 Intro.flac", "/music/album/02 Song.flac"};
        QTest::newRow("backslashes") << QByteArray("disc 1\\01.mp3\r\n..\\other\\02.mp3\r\n") << TextEncoding::Utf8
                                     << QStringList{"disc 1/01.mp3", "../other/02.mp3"};
        QTest::newRow("Windows drive stays a path") << QByteArray("C:\\Music\\a.wav") << TextEncoding::Utf8
                                                    << QStringList{"C:/Music/a.wav"};
        QTest::newRow("file URL") << QByteArray("file:///home/u/My%20Music/%E8%A1%A8.flac\n") << TextEncoding::Utf8
                                  << QStringList{"/home/u/My Music/表.flac"};
        QTest::newRow("file URL on localhost") << QByteArray("FILE://LocalHost/a%2fb.ogg") << TextEncoding::Utf8
                                               << QStringList{"/a/b.ogg"};
        QTest::newRow("file URL with backslashes") << QByteArray("file:///C:\\Music\\a%5Cb.mp3") << TextEncoding::Utf8
                                                   << QStringList{"/C:/Music/a/b.mp3"};
        QTest::newRow("file URL with one slash") << QByteArray("file:/a.ogg") << TextEncoding::Utf8
                                                 << QStringList{"/a.ogg"};
        QTest::newRow("broken escape kept") << QByteArray("file:///a%2.ogg\nfile:///b%zz.ogg") << TextEncoding::Utf8
                                            << QStringList{"/a%2.ogg", "/b%zz.ogg"};
        QTest::newRow("a plain path keeps its percent") << QByteArray("100%20.flac") << TextEncoding::Utf8
                                                        << QStringList{"100%20.flac"};
        QTest::newRow("file URL on another host") << QByteArray("file://server/share/a.flac") << TextEncoding::Utf8
                                                  << QStringList{"elsewhere:file://server/share/a.flac"};
        QTest::newRow("escaped NUL") << QByteArray("file:///a%00b.flac") << TextEncoding::Utf8
                                     << QStringList{"elsewhere:file:///a%00b.flac"};
        QTest::newRow("web address") << QByteArray("http://radio.example/stream.mp3") << TextEncoding::Utf8
                                     << QStringList{"elsewhere:http://radio.example/stream.mp3"};
        QTest::newRow("EXTINF titles")
            << QByteArray("#EXTM3U\n#EXTINF:271,Artist - Song, Act 1\na.flac\nb.flac\n#EXTINF:-1 tvg-name=\"x,y\",Live\nc.flac\n")
            << TextEncoding::Utf8 << QStringList{"a.flac|Artist - Song, Act 1", "b.flac", "c.flac|Live"};
        QTest::newRow("EXTINF without a comma") << QByteArray("#EXTINF:12\na.flac") << TextEncoding::Utf8
                                                << QStringList{"a.flac"};
        QTest::newRow("comments, blanks and line ends")
            << QByteArray("  \r\n# a comment\r  a.flac  \r\n\n\tb.flac\rc.flac") << TextEncoding::Utf8
            << QStringList{"a.flac", "b.flac", "c.flac"};
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF#EXTM3U\n表.flac\n") << TextEncoding::Utf8
                                         << QStringList{"表.flac"};
        QTest::newRow("Shift-JIS .m3u") << QByteArray("#EXTINF:200,\x94\x5C\n\x95\x5C\\\x83\x5C.mp3\n")
                                        << TextEncoding::Utf8OrShiftJis << QStringList{"表/ソ.mp3|能"};
        QTest::newRow("UTF-8 .m3u") << QByteArray("表.mp3") << TextEncoding::Utf8OrShiftJis
                                    << QStringList{"表.mp3"};
        QTest::newRow("Shift-JIS .m3u8 is refused") << QByteArray("\x95\x5C.mp3") << TextEncoding::Utf8
                                                    << QStringList{"<none>"};
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1A\n\x00\x00\x00\rIHDR", 16)
                                << TextEncoding::Utf8OrShiftJis << QStringList{"<none>"};
        QTest::newRow("empty") << QByteArray() << TextEncoding::Utf8 << QStringList{};
        QTest::newRow("only comments") << QByteArray("#EXTM3U\n#EXTINF:1,x\n") << TextEncoding::Utf8
                                       << QStringList{};
    }
    // clang-format on
    void entries()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(TextEncoding, encoding);
        QFETCH(QStringList, entries);
        QCOMPARE(described(parsePlaylist(bytes.toStdString(), encoding)), entries);
    }

    void aLongPlaylistKeepsEveryEntryInOrder()
    {
        QByteArray bytes;
        for (int i = 1; i <= 500; ++i)
            bytes += "#EXTINF:1,t" + QByteArray::number(i) + "\r\n" + QByteArray::number(i) + ".flac\r\n";
        const auto entries = parsePlaylist(bytes.toStdString(), TextEncoding::Utf8);
        QVERIFY(entries);
        QCOMPARE(entries->size(), std::size_t(500));
        QCOMPARE(entries->at(499).path, std::string("500.flac"));
        QCOMPARE(entries->at(499).title, std::string("t500"));
    }
};

QTEST_APPLESS_MAIN(TestPlaylist)
#include "test_playlist.moc"
