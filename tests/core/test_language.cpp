#include <QtTest>

#include "core/entry_reading.h"
#include "core/file_read_result.h"
#include "core/language.h"
#include "core/tape_lineup.h"

using namespace vantoli;

// Which language the environment asks for, the English catalogue compiled into the core, and the
// filling of a text's places in the order the translation names them.
class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { setLanguage(Language::Japanese); }

    // clang-format off
    void fromEnvironment_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("lcAll");
        QTest::addColumn<QString>("lcMessages");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<bool>("english");
        //                                  LANGUAGE         LC_ALL         LC_MESSAGES     LANG
        QTest::newRow("nothing set: C")     << ""            << ""          << ""           << ""            << false;
        QTest::newRow("C.UTF-8")            << ""            << ""          << ""           << "C.UTF-8"     << false;
        QTest::newRow("POSIX")              << ""            << ""          << ""           << "POSIX"       << false;
        QTest::newRow("ja_JP.UTF-8")        << ""            << ""          << ""           << "ja_JP.UTF-8" << false;
        QTest::newRow("en_US.UTF-8")        << ""            << ""          << ""           << "en_US.UTF-8" << true;
        QTest::newRow("de_DE: English")     << ""            << ""          << ""           << "de_DE.UTF-8" << true;
        QTest::newRow("LC_ALL over LANG")   << ""            << "en_GB.UTF-8" << ""         << "ja_JP.UTF-8" << true;
        QTest::newRow("LC_MESSAGES over LANG") << ""         << ""          << "ja_JP.UTF-8" << "en_US.UTF-8" << false;
        QTest::newRow("LANGUAGE first")     << "ja:en"       << ""          << ""           << "en_US.UTF-8" << false;
        QTest::newRow("LANGUAGE en")        << "en_GB:ja"    << ""          << ""           << "ja_JP.UTF-8" << true;
        QTest::newRow("LANGUAGE ignored in C") << "en"       << "C"         << ""           << ""            << false;
        QTest::newRow("not jav")            << ""            << ""          << ""           << "jv_ID.UTF-8" << true;
    }
    // clang-format on
    void fromEnvironment()
    {
        QFETCH(QString, language);
        QFETCH(QString, lcAll);
        QFETCH(QString, lcMessages);
        QFETCH(QString, lang);
        QFETCH(bool, english);
        const QByteArray values[] = {language.toUtf8(), lcAll.toUtf8(), lcMessages.toUtf8(), lang.toUtf8()};
        const Language got = languageFromEnvironment(values[0].constData(), values[1].constData(),
                                                     values[2].constData(), values[3].constData());
        QCOMPARE(got, english ? Language::English : Language::Japanese);
    }

    // The catalogue generated from the .po is compiled in and found by its Japanese key, CR included.
    void coreMessagesInEnglish()
    {
        const EntryError error{3, EntryCheck::Seconds};
        QCOMPARE(error.message().text, std::string("トラック 3の\r秒の値が不正です。\r修正してください。"));
        setLanguage(Language::English);
        QCOMPARE(error.message().title, std::string("Entry Error"));
        QCOMPARE(error.message().text, std::string("Track 3:\rThe seconds are not valid.\rPlease correct them."));
    }

    // English names the list before the file: the places are filled by number, not in order.
    void placesFollowTheTranslation()
    {
        setLanguage(Language::English);
        const Message message = unreadableFilesMessage({{{"b.flac", "a.m3u", FileProblem::Missing}}});
        QVERIFY2(message.text.find("\r\n- b.flac in a.m3u (not found)") != std::string::npos, message.text.c_str());
        QCOMPARE(fill("%2 %1 %3", {"a", "b"}), std::string("b a %3"));
    }

    void unknownTextStaysJapanese()
    {
        setLanguage(Language::English);
        QCOMPARE(std::string(_("辞書にない文")), std::string("辞書にない文"));
    }
};

QTEST_APPLESS_MAIN(TestLanguage)
#include "test_language.moc"
