// What the CD read command decides without a window: the way a disc goes, the entry text of a length
// and the three messages.

#include <QtTest>

#include <limits>

#include "core/disc_kind.h"

using namespace vantoli;

Q_DECLARE_METATYPE(vantoli::DiscKind)
Q_DECLARE_METATYPE(vantoli::MessageIcon)
Q_DECLARE_METATYPE(vantoli::Message)

class TestCdRead : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void entryTextOfALength_data()
    {
        QTest::addColumn<std::int32_t>("milliseconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("4 min 31.9 s") << std::int32_t(271900) << "431";
        QTest::newRow("3 min 0.5 s") << std::int32_t(180500) << "300";
        QTest::newRow("59.999 s") << std::int32_t(59999) << "59";
        QTest::newRow("exactly 60 s") << std::int32_t(60000) << "100";
        QTest::newRow("12 min 5 s") << std::int32_t(725000) << "1205";
        QTest::newRow("0.9 s") << std::int32_t(900) << "0";
        QTest::newRow("0 ms") << std::int32_t(0) << "0";
        QTest::newRow("80 min, beyond what an entry accepts") << std::int32_t(4800000) << "8000";
        QTest::newRow("100 min 1 s") << std::int32_t(6001000) << "10001";
        QTest::newRow("largest length, no overflow") << std::numeric_limits<std::int32_t>::max() << "3579123";
        // Only a broken table of contents gives these; they have no playing time.
        QTest::newRow("-1 ms") << std::int32_t(-1) << "0";
        QTest::newRow("-61 s") << std::int32_t(-61000) << "0";
        QTest::newRow("most negative") << std::numeric_limits<std::int32_t>::min() << "0";
    }
    // clang-format on
    void entryTextOfALength()
    {
        QFETCH(std::int32_t, milliseconds);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(cdEntryText(milliseconds)), text);
    }

    // clang-format off
    void wayADiscGoes_data()
    {
        QTest::addColumn<std::int32_t>("tracks");
        QTest::addColumn<DiscKind>("kind");
        QTest::newRow("most negative") << std::numeric_limits<std::int32_t>::min() << DiscKind::NoDisc;
        QTest::newRow("-1") << std::int32_t(-1) << DiscKind::NoDisc;
        QTest::newRow("0") << std::int32_t(0) << DiscKind::NoDisc;
        QTest::newRow("1") << std::int32_t(1) << DiscKind::Entries;
        QTest::newRow("20") << std::int32_t(20) << DiscKind::Entries;
        QTest::newRow("21") << std::int32_t(21) << DiscKind::LongDisc;
        QTest::newRow("99") << std::int32_t(99) << DiscKind::LongDisc;
        QTest::newRow("100") << std::int32_t(100) << DiscKind::TooManyTracks;
        QTest::newRow("101") << std::int32_t(101) << DiscKind::TooManyTracks;
        QTest::newRow("largest") << std::numeric_limits<std::int32_t>::max() << DiscKind::TooManyTracks;
    }
    // clang-format on
    void wayADiscGoes()
    {
        QFETCH(std::int32_t, tracks);
        QFETCH(DiscKind, kind);
        QCOMPARE(discKind(tracks), kind);
    }

    // The two-line messages join their lines with CR LF; the window shows each line on its own.
    // clang-format off
    void messages_data()
    {
        QTest::addColumn<Message>("message");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<MessageIcon>("icon");
        QTest::newRow("no disc") << noDiscMessage() << "CD読み取りエラー"
                                 << QByteArray("CDがセットされていません。") << MessageIcon::Stop;
        QTest::newRow("long disc") << longDiscMessage() << "20曲以上収録"
                                   << QByteArray("このCDは21曲以上収録されています。\r\n"
                                                 "トラック構成案は結果レポートに表示します。")
                                   << MessageIcon::Information;
        QTest::newRow("too many tracks") << tooManyTracksMessage() << "101曲以上収録"
                                         << QByteArray("このCDは101曲以上収録されています。\r\n"
                                                       "現在のバージョンでは対応していません。")
                                         << MessageIcon::Exclamation;
    }
    // clang-format on
    void messages()
    {
        QFETCH(Message, message);
        QFETCH(QString, title);
        QFETCH(QByteArray, text);
        QFETCH(MessageIcon, icon);
        QCOMPARE(QString::fromStdString(message.title), title);
        QCOMPARE(QByteArray::fromStdString(message.text), text);
        QCOMPARE(message.icon, icon);
    }
};

QTEST_APPLESS_MAIN(TestCdRead)
#include "test_disc_kind.moc"
