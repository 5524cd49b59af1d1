// Where the user's tapes are kept, and reading them from the file without the window.

#include <QtTest>

#include <QTemporaryDir>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "device/tape_settings_file.h"

using namespace vantoli;

namespace {

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A list of 15 tapes as the window wrote it with QSettings before it wrote the file itself: keys
// sorted as text, so row 10 comes before row 2.
const QByteArray WrittenByQSettings =
    "[Tapes]\n"
    "1\\minutes=10\n"
    "1\\owned=false\n"
    "1\\sideCapacity=345\n"
    "10\\minutes=70\n"
    "10\\owned=true\n"
    "10\\sideCapacity=2145\n"
    "11\\minutes=74\n"
    "11\\owned=true\n"
    "11\\sideCapacity=2265\n"
    "12\\minutes=80\n"
    "12\\owned=true\n"
    "12\\sideCapacity=2445\n"
    "13\\minutes=90\n"
    "13\\owned=true\n"
    "13\\sideCapacity=2745\n"
    "14\\minutes=100\n"
    "14\\owned=false\n"
    "14\\sideCapacity=3045\n"
    "15\\minutes=120\n"
    "15\\owned=true\n"
    "15\\sideCapacity=3700\n"
    "2\\minutes=20\n"
    "2\\owned=true\n"
    "2\\sideCapacity=645\n"
    "3\\minutes=30\n"
    "3\\owned=true\n"
    "3\\sideCapacity=945\n"
    "4\\minutes=40\n"
    "4\\owned=true\n"
    "4\\sideCapacity=1245\n"
    "5\\minutes=46\n"
    "5\\owned=true\n"
    "5\\sideCapacity=1440\n"
    "6\\minutes=50\n"
    "6\\owned=true\n"
    "6\\sideCapacity=1545\n"
    "7\\minutes=54\n"
    "7\\owned=true\n"
    "7\\sideCapacity=1665\n"
    "8\\minutes=60\n"
    "8\\owned=true\n"
    "8\\sideCapacity=1845\n"
    "9\\minutes=64\n"
    "9\\owned=true\n"
    "9\\sideCapacity=1965\n"
    "size=15\n";

const std::vector<TapeChoice> WrittenChoices{
    {10, 345, false}, {20, 645, true},  {30, 945, true},  {40, 1245, true},   {46, 1440, true},
    {50, 1545, true}, {54, 1665, true}, {60, 1845, true}, {64, 1965, true},   {70, 2145, true},
    {74, 2265, true}, {80, 2445, true}, {90, 2745, true}, {100, 3045, false}, {120, 3700, true},
};

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(cannot be read)");
}

}  // namespace

class TestTapeSettingsFile : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void path_data()
    {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QByteArray>("home");
        QTest::addColumn<QString>("path");
        QTest::newRow("XDG_CONFIG_HOME") << QByteArray("/x/conf") << QByteArray("/home/u") << "/x/conf/Vantoli/Vantoli.ini";
        QTest::newRow("relative XDG_CONFIG_HOME is ignored") << QByteArray("conf") << QByteArray("/home/u") << "/home/u/.config/Vantoli/Vantoli.ini";
        QTest::newRow("no XDG_CONFIG_HOME") << QByteArray() << QByteArray("/home/u") << "/home/u/.config/Vantoli/Vantoli.ini";
        QTest::newRow("nothing known") << QByteArray() << QByteArray() << "";
    }
    // clang-format on
    void path()
    {
        QFETCH(QByteArray, config);
        QFETCH(QByteArray, home);
        QFETCH(QString, path);
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        const QByteArray oldHome = qgetenv("HOME");
        config.isEmpty() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", config);
        home.isEmpty() ? qunsetenv("HOME") : qputenv("HOME", home);
        const QString found = QString::fromStdString(tapeSettingsPath());
        qputenv("XDG_CONFIG_HOME", oldConfig);
        qputenv("HOME", oldHome);
        QCOMPARE(found, path);
    }

    // clang-format off
    void reads_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<int>("owned");  // how many lengths of the list are owned
        QTest::newRow("no file") << "none" << false << 14;
        QTest::newRow("a list") << "list" << false << 1;
        QTest::newRow("a damaged list") << "damaged" << true << 14;
        QTest::newRow("a folder in its place") << "folder" << true << 14;
        QTest::newRow("a named pipe in its place") << "pipe" << true << 14;
        QTest::newRow("a file of many megabytes") << "huge" << true << 14;
    }
    // clang-format on
    void reads()
    {
        QFETCH(QString, kind);
        QFETCH(bool, damaged);
        QFETCH(int, owned);
        QTemporaryDir folder;
        const QString file = folder.filePath("Vantoli/Vantoli.ini");
        if (kind == "list") write(file, "[Tapes]\n1\\minutes=90\n1\\owned=true\n1\\sideCapacity=2760\nsize=1\n");
        if (kind == "damaged") write(file, "[Tapes]\nsize=3\n");
        if (kind == "folder") QDir().mkpath(file);
        if (kind == "pipe") {
            QDir().mkpath(QFileInfo(file).path());
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        }
        if (kind == "huge") {
            write(file, "[Tapes]\n");
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.resize(64 << 20));
        }
        const SavedTapes saved = readSavedTapes(QFile::encodeName(file).toStdString());
        QCOMPARE(saved.damaged, damaged);
        QCOMPARE(QString::fromStdString(saved.file), file);
        QCOMPARE(int(std::count_if(saved.choices.begin(), saved.choices.end(),
                                   [](const TapeChoice& c) { return c.owned; })),
                 owned);
        if (kind == "list") QCOMPARE(lineupOf(saved.choices), (Lineup{{90, 2760}}));
    }

    // A file the earlier version wrote reads as the list it held, and writing that list again gives
    // the same bytes.
    void fileOfTheEarlierVersion()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath("Vantoli/Vantoli.ini");
        write(file, WrittenByQSettings);
        const SavedTapes saved = readSavedTapes(QFile::encodeName(file).toStdString());
        QVERIFY(!saved.damaged);
        QCOMPARE(saved.choices, WrittenChoices);

        QVERIFY(QFile::remove(file));
        QVERIFY(QDir(folder.path()).rmdir("Vantoli"));
        QVERIFY(writeSavedTapes(QFile::encodeName(file).toStdString(), WrittenChoices));
        QCOMPARE(contents(file), WrittenByQSettings);
    }

    // The list replaces the group [Tapes]; other groups stay, a file that is no INI text does not.
    // clang-format off
    void writeKeepsOtherGroups_data()
    {
        QTest::addColumn<QByteArray>("earlier");
        QTest::addColumn<QByteArray>("written");
        const QByteArray list = "[Tapes]\n1\\minutes=60\n1\\owned=true\n1\\sideCapacity=1845\nsize=1\n";
        QTest::newRow("no file") << QByteArray() << list;
        QTest::newRow("a list before") << QByteArray("[Tapes]\n1\\minutes=90\nsize=1\n") << list;
        QTest::newRow("other groups around it") << QByteArray("[A]\nx=1\n\n[Tapes]\nsize=3\n\n[B]\n; note\ny = 2\n\n")
                                                << QByteArray("[A]\nx=1\n\n[B]\n; note\ny = 2\n\n") + list;
        QTest::newRow("no INI text") << QByteArray("\x89PNG\r\n\x1a\n\0\0binary", 16) << list;
    }
    // clang-format on
    void writeKeepsOtherGroups()
    {
        QFETCH(QByteArray, earlier);
        QFETCH(QByteArray, written);
        QTemporaryDir folder;
        const QString file = folder.filePath("Vantoli/Vantoli.ini");
        if (!earlier.isEmpty()) write(file, earlier);
        QVERIFY(writeSavedTapes(QFile::encodeName(file).toStdString(), {{60, 1845, true}}));
        QCOMPARE(contents(file), written);
        QCOMPARE(QDir(folder.filePath("Vantoli")).entryList(QDir::Files), QStringList{"Vantoli.ini"});
    }

    // A settings file just over 1 MiB was rewritten as the one key written: a file that cannot be read
    // whole must never be written, and say so.
    // clang-format off
    void aFileNotReadWholeIsNeverWritten_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("one long comment line") << "long";
        QTest::newRow("a folder in its place") << "folder";
    }
    // clang-format on
    void aFileNotReadWholeIsNeverWritten()
    {
        QFETCH(QString, kind);
        QTemporaryDir folder;
        const QString file = folder.filePath("Vantoli/Vantoli.ini");
        const QByteArray held = "[General]\nlanguage=ja\n\n;" + QByteArray(1024 * 1024, 'x') + "\n" +
                                "[Tapes]\n1\\minutes=90\n1\\owned=true\n1\\sideCapacity=2760\nsize=1\n";
        if (kind == "long") write(file, held);
        if (kind == "folder") QDir().mkpath(file);
        const std::string path = QFile::encodeName(file).toStdString();
        QVERIFY(!writeSetting(path, "RecentTapes", "file1", "x"));
        QVERIFY(!writeSavedTapes(path, {{60, 1845, true}}));
        if (kind == "long") QCOMPARE(contents(file), held);
        if (kind == "folder") QVERIFY(QFileInfo(file).isDir());
        const SavedTapes saved = readSavedTapes(path);
        QVERIFY(saved.unreadable);
        QCOMPARE(savedTapesProblem(saved), unreadableSettingsMessage(path));
    }

    // Writing a value the file already holds leaves the file untouched, not even replaced.
    void anUnchangedFileIsNotRewritten()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath("Vantoli/Vantoli.ini");
        write(file, "; mine\n[General]\nlanguage = ja\n");
        struct stat before {};
        QCOMPARE(::stat(QFile::encodeName(file).constData(), &before), 0);
        QVERIFY(writeSetting(QFile::encodeName(file).toStdString(), "General", "language", "ja"));
        struct stat after {};
        QCOMPARE(::stat(QFile::encodeName(file).constData(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(contents(file), QByteArray("; mine\n[General]\nlanguage = ja\n"));
    }

    // Two programs writing at once lost each other's values (read, change, write without a lock): every
    // key each of several processes wrote must be there at the end, with its last value.
    void twoProgramsNeverUndoEachOther()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath("Vantoli/Vantoli.ini");
        const std::string path = QFile::encodeName(file).toStdString();
        constexpr int Writers = 4;
        constexpr int Writes = 60;
        std::vector<pid_t> children;
        for (int w = 0; w < Writers; ++w) {
            const pid_t child = ::fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                bool ok = true;
                for (int i = 1; i <= Writes; ++i) {
                    ok = writeSetting(path, "Race", "writer" + std::to_string(w), std::to_string(i)) && ok;
                    if (w == 0) ok = writeSavedTapes(path, {{60 + i % 2, 1845 + i % 2, true}}) && ok;
                }
                ::_exit(ok ? 0 : 1);
            }
            children.push_back(child);
        }
        for (const pid_t child : children) {
            int status = 0;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        const std::string text = contents(file).toStdString();
        for (int w = 0; w < Writers; ++w)
            QCOMPARE(settingValue(text, "Race", "writer" + std::to_string(w)), std::to_string(Writes));
        QCOMPARE(lineupOf(readSavedTapes(path).choices), (Lineup{{60, 1845}}));
        QVERIFY(parseTapeSettings(text).state == StoredTapeList::State::Read);
    }

    // A folder that cannot be made leaves nothing written and says so.
    void writeFails()
    {
        QTemporaryDir folder;
        write(folder.filePath("Vantoli"), "a file where the folder should be");
        QVERIFY(!writeSavedTapes(QFile::encodeName(folder.filePath("Vantoli/Vantoli.ini")).toStdString(),
                                 {{60, 1845, true}}));
        QCOMPARE(contents(folder.filePath("Vantoli")), QByteArray("a file where the folder should be"));
        QVERIFY(!writeSavedTapes("", {{60, 1845, true}}));
    }
};

QTEST_APPLESS_MAIN(TestTapeSettingsFile)
#include "test_tape_settings_file.moc"
