// Where the user's tapes are kept, and reading them from the file without the window.

#include <QtTest>

#include <QTemporaryDir>

#include <sys/stat.h>

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
};

QTEST_APPLESS_MAIN(TestTapeSettingsFile)
#include "test_tape_settings_file.moc"
