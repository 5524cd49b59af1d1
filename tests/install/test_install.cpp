#include <QtTest>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

#include "../../resources/icons/vantoli.xpm"
#include "gui/print_loader.h"
#include "gui/program_files.h"
#include "support/audio_files.h"

// Installs the build into a temporary prefix, as a user would with cmake --install, and checks that
// the program, its help, the desktop entry and the icon land where the program and a desktop look,
// and the command line with its manual page where a shell and man look.

namespace {

// This test program, copied beside the installed window, prints where the window's code looks for
// vantoli-plan and the help.
const char* const PrintFilesArgument = "--print-program-files";

QString run(const QString& program, const QStringList& arguments, int* exitCode)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) {
        *exitCode = -1;
        return process.errorString();
    }
    *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromLocal8Bit(process.readAll());
}

}  // namespace

class TestInstall : public QObject {
    Q_OBJECT
private:
    QTemporaryDir prefix_;
    QString installed(const QString& relative) const { return prefix_.filePath(relative); }
    QString programFolder() const { return installed(QStringLiteral(VANTOLI_INSTALL_BINDIR)); }
    QString helpFolder() const { return installed(QStringLiteral(VANTOLI_INSTALL_DATADIR "/vantoli/help")); }

private slots:
    void initTestCase()
    {
        QVERIFY(prefix_.isValid());
        int exitCode = 0;
        const QString output =
            run(QStringLiteral(VANTOLI_CMAKE_COMMAND),
                {"--install", QStringLiteral(VANTOLI_BUILD_DIR), "--prefix", prefix_.path()}, &exitCode);
        QVERIFY2(exitCode == 0, qPrintable(output));
    }

    // clang-format off
    void programAndHelpInstalled_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("program") << programFolder() + "/vantoli";
        for (const QString& page : QDir(QStringLiteral(VANTOLI_HELP_SOURCE_DIR)).entryList(QDir::Files))
            QTest::newRow(qPrintable(page)) << helpFolder() + "/" + page;
    }
    // clang-format on
    void programAndHelpInstalled()
    {
        QFETCH(QString, file);
        const QFileInfo info(file);
        QVERIFY2(info.isFile() && !info.isSymLink(), qPrintable(info.filePath()));
        if (info.fileName() == "vantoli") QVERIFY(info.isExecutable());
    }

    // The window's code, run from the installed window's folder under a prefix other than the one the
    // build was configured for, finds the installed vantoli-plan, vantoli-helper and help, and loads the
    // installed print module (fails when the install rules and the paths compiled into the window
    // disagree, or when a path is absolute).
    void windowFindsPlanAndHelpUnderAnyPrefix()
    {
        const QString copy = programFolder() + "/print-program-files";
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
        QVERIFY(QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::ExeOwner));
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("VANTOLI_PLAN"));
        environment.remove(QStringLiteral("VANTOLI_HELPER"));
        environment.remove(QStringLiteral("VANTOLI_PRINT"));
        process.setProcessEnvironment(environment);
        process.start(copy, {QString::fromLatin1(PrintFilesArgument)});
        QVERIFY(process.waitForFinished(30000));
        QFile::remove(copy);
        const QStringList found = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
        QVERIFY2(QFileInfo(found.value(0)).isExecutable(), qPrintable(found.value(0)));
        QCOMPARE(QFileInfo(found.value(0)).canonicalFilePath(),
                 QFileInfo(programFolder() + "/vantoli-plan").canonicalFilePath());
        QVERIFY2(QFileInfo(found.value(1) + "/index.html").isFile(), qPrintable(found.value(1)));
        QCOMPARE(QFileInfo(found.value(1)).canonicalFilePath(), QFileInfo(helpFolder()).canonicalFilePath());
        QVERIFY2(QFileInfo(found.value(2)).isExecutable(), qPrintable(found.value(2)));
        QCOMPARE(QFileInfo(found.value(2)).canonicalFilePath(),
                 QFileInfo(installed(QStringLiteral(VANTOLI_HELPER_INSTALL_DIR "/vantoli-helper"))).canonicalFilePath());
        // The print module, installed beside the helper, loads into the window.
        QCOMPARE(QFileInfo(found.value(3)).canonicalFilePath(),
                 QFileInfo(installed(QStringLiteral(VANTOLI_HELPER_INSTALL_DIR "/vantoli-print.so"))).canonicalFilePath());
        QCOMPARE(found.value(4), QStringLiteral("print session"));
    }

    void desktopEntry()
    {
        QFile file(installed(QStringLiteral(VANTOLI_INSTALL_DATADIR "/applications/vantoli.desktop")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
        QCOMPARE(lines.value(0), QStringLiteral("[Desktop Entry]"));
        QVERIFY(lines.contains("Type=Application"));
        QVERIFY(lines.contains("Name=Vantoli"));
        QVERIFY(lines.contains("Icon=vantoli"));
        QVERIFY(lines.contains("Exec=\"" + installed(QStringLiteral(VANTOLI_INSTALL_BINDIR "/vantoli")) + "\" %f"));
        QVERIFY(lines.contains("MimeType=application/x-vantoli-tape;"));
        QVERIFY(std::any_of(lines.begin(), lines.end(), [](const QString& l) {
            return l.startsWith("Comment[ja]=") && l.contains(QStringLiteral("カセットテープ"));
        }));
    }

    // vantoli-plan lies in bin/ itself and runs from there; man finds its page under share/man.
    void commandLineAndItsManualPage()
    {
        const QString program = installed(QStringLiteral(VANTOLI_INSTALL_BINDIR "/vantoli-plan"));
        const QFileInfo info(program);
        QVERIFY2(info.isFile() && !info.isSymLink() && info.isExecutable(), qPrintable(program));
        int exitCode = 0;
        const QString version = run(program, {QStringLiteral("--version")}, &exitCode);
        QCOMPARE(exitCode, 0);
        QVERIFY2(version.startsWith(QStringLiteral("vantoli-plan (Vantoli) ")), qPrintable(version));
        const QString plan = run(program, {QStringLiteral("--tapes=46"), QStringLiteral("431")}, &exitCode);
        QCOMPARE(exitCode, 0);
        QVERIFY2(plan.contains(QStringLiteral("46分テープ")), qPrintable(plan));

        const QString page = installed(QStringLiteral(VANTOLI_INSTALL_MANDIR "/man1/vantoli-plan.1.gz"));
        QVERIFY2(QFileInfo(page).isFile(), qPrintable(page));
        const QString manual = run(QStringLiteral("man"), {QStringLiteral("-l"), page}, &exitCode);
        QCOMPARE(exitCode, 0);
        QVERIFY2(manual.contains(QStringLiteral("vantoli-plan")) && manual.contains(QStringLiteral("--tapes")),
                 qPrintable(manual));
        // The Japanese pages lie where man looks for a Japanese locale.
        for (const char* name : {"vantoli-plan.1.gz", "vantoli.1.gz"}) {
            const QString japanese = installed(QStringLiteral(VANTOLI_INSTALL_MANDIR "/ja/man1/") + name);
            QVERIFY2(run(QStringLiteral("man"),
                         {QStringLiteral("-E"), QStringLiteral("UTF-8"), QStringLiteral("-l"), japanese}, &exitCode)
                         .contains(QStringLiteral("説明")),
                     qPrintable(japanese));
        }
    }

    // The installed vantoli-plan reads audio files.
    void commandLineReadsAudioFiles()
    {
        const QString wav =
            vantoli::test::writeWav(prefix_.path(), QStringLiteral("one.wav"), vantoli::test::framesOf(271000));
        QProcess process;
        process.start(installed(QStringLiteral(VANTOLI_INSTALL_BINDIR "/vantoli-plan")),
                      {QStringLiteral("--json"), wav});
        QVERIFY(process.waitForFinished(60000));
        const QString err = QString::fromLocal8Bit(process.readAllStandardError());
        QCOMPARE(process.exitCode(), 0);
        QVERIFY2(QString::fromUtf8(process.readAllStandardOutput()).contains(QRegularExpression(R"("seconds":\s*271)")),
                 qPrintable(err));
    }

    void iconIsTheWindowIcon()
    {
        const QImage installedIcon(
            installed(QStringLiteral(VANTOLI_INSTALL_DATADIR "/icons/hicolor/32x32/apps/vantoli.png")));
        QVERIFY(!installedIcon.isNull());
        QCOMPARE(installedIcon.size(), QSize(32, 32));
        const QImage drawn(vantoli_xpm);
        QCOMPARE(installedIcon.convertToFormat(QImage::Format_ARGB32), drawn.convertToFormat(QImage::Format_ARGB32));
    }
};

int main(int argc, char* argv[])
{
    if (argc == 2 && std::strcmp(argv[1], PrintFilesArgument) == 0) {
        QCoreApplication app(argc, argv);
        std::printf("%s\n%s\n%s\n%s\n%s\n", qPrintable(vantoli::planProgram()), qPrintable(vantoli::helpFolder()),
                    qPrintable(vantoli::helperProgram()), qPrintable(vantoli::printModule()),
                    vantoli::openPrintSession() ? "print session" : "no print session");
        return 0;
    }
    QGuiApplication app(argc, argv);
    TestInstall test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_install.moc"
