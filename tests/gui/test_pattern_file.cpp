#include <QtTest>

#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "gui/pattern_file.h"
#include "support/file_size_limit.h"
#include "support/modal_answerer.h"

using namespace vantoli;
using vantoli::test::FileSizeLimit;
using vantoli::test::ModalAnswerer;
using vantoli::test::SeenModal;

namespace {

PatternEntries entries(const QStringList& texts)
{
    PatternEntries e;
    for (int i = 0; i < texts.size() && i < EntryCount; ++i) e[i] = texts[i];
    return e;
}

QStringList numbered(int count)
{
    QStringList texts;
    for (int i = 1; i <= count; ++i) texts << QString::number(i * 100 + 7);
    return texts;
}

QByteArray crlfLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) bytes += line.toLatin1() + "\r\n";
    return bytes;
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<cannot read>";
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QStringList folderListing(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QString text(const Message& m) { return QString::fromStdString(m.text); }
QString title(const Message& m) { return QString::fromStdString(m.title); }

}  // namespace

class TestPatternFile : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void init()
    {
        QVERIFY(dir_.isValid());
        for (const QString& name : folderListing(dir_.path())) {
            const QString p = path(name);
            if (QFileInfo(p).isDir() && !QFileInfo(p).isSymLink())
                QDir(p).removeRecursively();
            else
                QFile::remove(p);
        }
    }

    // Save to a real file, check the bytes on disk, open it again.
    // clang-format off
    void saveAndOpen_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("all empty: one empty line") << QStringList{} << QByteArray("\r\n");
        QTest::newRow("entry 0 empty") << QStringList{"", "431", "1205"} << QByteArray("\r\n431\r\n1205\r\n");
        QTest::newRow("gap kept") << QStringList{"431", "1205", "", "358"} << QByteArray("431\r\n1205\r\n\r\n358\r\n");
        QTest::newRow("only the last entry") << QStringList{"", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
                                                            "", "", "", "8000"}
                                             << QByteArray("\r\n").repeated(19) + "8000\r\n";
        QTest::newRow("20 entries") << numbered(20) << crlfLines(numbered(20));
        QTest::newRow("text as typed") << QStringList{" 431 ", "4:31", "abc"} << QByteArray(" 431 \r\n4:31\r\nabc\r\n");
        QTest::newRow("Shift-JIS on disk")
            << QStringList{"あ", "～", "ｱｲｳ", "４３１", "\\", "~", "トラック"}
            << QByteArray("\x82\xa0\r\n\x81\x60\r\n\xb1\xb2\xb3\r\n\x82\x53\x82\x52\x82\x50\r\n\\\r\n~\r\n"
                          "\x83\x67\x83\x89\x83\x62\x83\x4e\r\n");
    }
    // clang-format on
    void saveAndOpen()
    {
        QFETCH(QStringList, entries);
        QFETCH(QByteArray, file);
        const QString p = path("pattern.vto");
        const std::optional<Message> failure = writePatternFile(p, ::entries(entries));
        QVERIFY2(!failure, failure ? failure->text.c_str() : "");
        QCOMPARE(contentOf(p), file);
        QCOMPARE(folderListing(dir_.path()), QStringList{"pattern.vto"});

        const auto reopened = readPatternFile(p);
        QVERIFY(std::holds_alternative<PatternEntries>(reopened));
        QCOMPARE(std::get<PatternEntries>(reopened), ::entries(entries));
    }

    void saveReplacesEarlierContent()
    {
        const QString p = path("pattern.vto");
        writeFile(p, crlfLines(numbered(20)));
        QVERIFY(!writePatternFile(p, entries({"431"})));
        QCOMPARE(contentOf(p), QByteArray("431\r\n"));
    }

    // Files as other tools write them.
    // clang-format off
    void open_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("CR alone") << QByteArray("431\r1205\r358\r") << QStringList{"431", "1205", "358"};
        QTest::newRow("LF alone") << QByteArray("431\n1205\n358\n") << QStringList{"431", "1205", "358"};
        QTest::newRow("no end after the last line") << QByteArray("431\r\n358") << QStringList{"431", "358"};
        QTest::newRow("empty line in the middle") << QByteArray("431\r\n\r\n358\r\n") << QStringList{"431", "", "358"};
        QTest::newRow("25 lines: first 20") << crlfLines(numbered(25)) << numbered(20);
        QTest::newRow("not a number, loaded as is") << QByteArray("abc\r\n4:31\r\n") << QStringList{"abc", "4:31"};
        QTest::newRow("Shift-JIS text") << QByteArray("\x82\xa0\x82\xa2\r\n\xb1\r\n") << QStringList{"あい", "ｱ"};
        QTest::newRow("bytes that are no character")
            << QByteArray("4\xff" "1\r\n\x80\r\n\xa0x\r\n") << QStringList{"4\uFFFD1", "\uFFFD", "\uFFFDx"};
        QTest::newRow("line ends inside a character") << QByteArray("43\x82\r\n1\x82") << QStringList{"43\uFFFD", "1\uFFFD"};
        QTest::newRow("bad second byte") << QByteArray("\x82\x31\r\n") << QStringList{"\uFFFD1"};
        QTest::newRow("line as long as an entry holds")
            << "431\r\n" + QByteArray(MaxEntryLength, '1') << QStringList{"431", QString(MaxEntryLength, '1')};
        QTest::newRow("NUL byte") << QByteArray("4\0" "31", 4) << QStringList{QString("4") + QChar(0) + "31"};
    }
    // clang-format on
    void open()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, entries);
        const QString p = path("other.vto");
        writeFile(p, file);
        const auto result = readPatternFile(p);
        QVERIFY(std::holds_alternative<PatternEntries>(result));
        QCOMPARE(std::get<PatternEntries>(result), ::entries(entries));
    }

    // Whatever the user picks, opening returns at once with entries or a message, and reads no more
    // than the start of a file.
    // clang-format off
    void openAnything_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("says");
        QTest::newRow("missing file") << "missing" << "を開けませんでした";
        QTest::newRow("folder") << "folder" << "はファイルではないため、開けません";
        QTest::newRow("named pipe") << "pipe" << "はファイルではないため、開けません";
        QTest::newRow("device without end") << "device" << "はファイルではないため、開けません";
        QTest::newRow("line of a megabyte") << "megabyte line" << "の 1 行目が長すぎます";
        QTest::newRow("gigabyte without a line end") << "gigabyte zeros" << "の 1 行目が長すぎます";
        QTest::newRow("line 3 too long") << "line 3 too long" << "の 3 行目が長すぎます";
        QTest::newRow("line longer than an entry holds") << "line of 32768 characters" << "の 2 行目が長すぎます";
    }
    // clang-format on
    void openAnything()
    {
        QFETCH(QString, kind);
        QFETCH(QString, says);
        QString p = path("picked");
        if (kind == "folder") {
            QVERIFY(QDir(dir_.path()).mkdir("picked"));
        } else if (kind == "pipe") {
            QCOMPARE(::mkfifo(QFile::encodeName(p).constData(), 0600), 0);
        } else if (kind == "device") {
            p = "/dev/zero";
        } else if (kind == "megabyte line") {
            writeFile(p, QByteArray(1 << 20, '4') + "\r\n");
        } else if (kind == "gigabyte zeros") {
            QFile file(p);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(qint64(1) << 30));
        } else if (kind == "line 3 too long") {
            writeFile(p, "431\r\n358\r\n" + QByteArray(MaxPatternLineBytes + 1, '1'));
        } else if (kind == "line of 32768 characters") {
            writeFile(p, "431\r\n" + QByteArray(MaxEntryLength + 1, '1') + "\r\n358\r\n");
        }
        const auto result = readPatternFile(p);
        QVERIFY(std::holds_alternative<Message>(result));
        const Message& m = std::get<Message>(result);
        QCOMPARE(title(m), QStringLiteral("読み込みエラー"));
        QCOMPARE(m.icon, MessageIcon::Stop);
        QVERIFY2(text(m).contains(says), qPrintable(text(m)));
        QVERIFY2(text(m).contains(QDir::toNativeSeparators(p)), qPrintable(text(m)));
    }

    void openGigabyteFileOfShortLines()
    {
        const QString p = path("huge.vto");
        QFile file(p);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(crlfLines(numbered(25))) > 0);
        QVERIFY(file.resize(qint64(1) << 30));
        file.close();
        const auto result = readPatternFile(p);
        QVERIFY(std::holds_alternative<PatternEntries>(result));
        QCOMPARE(std::get<PatternEntries>(result), entries(numbered(20)));
    }

    void openBinaryFile()
    {
        // The test program itself: no Shift-JIS text, NUL bytes, long stretches without a line end.
        const auto result = readPatternFile(QCoreApplication::applicationFilePath());
        if (const auto* m = std::get_if<Message>(&result)) {
            QVERIFY2(text(*m).contains("行目が長すぎます"), qPrintable(text(*m)));
        } else {
            for (const QString& entry : std::get<PatternEntries>(result))
                QVERIFY(static_cast<std::size_t>(entry.size()) <= MaxPatternLineBytes);
        }
        QByteArray noise;
        for (int i = 0; i < 4096; ++i) noise += char((i * 7919 + 13) % 256);
        writeFile(path("noise"), noise);
        const auto noiseResult = readPatternFile(path("noise"));
        QVERIFY(std::holds_alternative<PatternEntries>(noiseResult));
        const PatternEntries& noiseEntries = std::get<PatternEntries>(noiseResult);
        QVERIFY(std::any_of(noiseEntries.begin(), noiseEntries.end(),
                            [](const QString& e) { return e.contains(QChar::ReplacementCharacter); }));
    }

    // A save that cannot happen says why and leaves what was on disk as it was.
    // clang-format off
    void saveFailure_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("says");
        QTest::addColumn<bool>("namesFile");
        const QString unencodable = QStringLiteral("トラック 2の\n入力に、パターンファイルに保存できない文字が含まれています。");
        QTest::newRow("Hangul") << "earlier file" << QStringList{"431", "한"} << unencodable << false;
        QTest::newRow("emoji") << "earlier file" << QStringList{"431", "😀"} << unencodable << false;
        QTest::newRow("yen sign") << "earlier file" << QStringList{"431", "¥"} << unencodable << false;
        QTest::newRow("lone surrogate") << "earlier file" << QStringList{"431", QString(QChar(0xd800))} << unencodable << false;
        QTest::newRow("replacement character") << "earlier file" << QStringList{"431", "4\uFFFD1"} << unencodable << false;
        QTest::newRow("after a gap") << "new file" << QStringList{"431", "", "", "", "", "", "", "", "", "", "", "", "", "",
                                                                  "", "", "", "", "", "한"}
                                     << QStringLiteral("トラック 20の") << false;
        QTest::newRow("entry too long") << "earlier file"
                                        << QStringList{"431", QString(int(MaxPatternLineBytes / 2) + 1, QChar(0x3042))}
                                        << QStringLiteral("トラック 2の\n入力が長すぎるため") << false;
        const QString lineBreak = QStringLiteral("トラック 3の\n入力に改行が含まれているため、パターンファイルに保存できません。");
        QTest::newRow("line feed in an entry") << "earlier file" << QStringList{"431", "358", "4\n31"} << lineBreak << false;
        QTest::newRow("carriage return in an entry") << "earlier file" << QStringList{"431", "358", "431\r"} << lineBreak << false;
        QTest::newRow("CR LF pasted into an entry") << "new file" << QStringList{"431", "358", "431\r\n358"} << lineBreak << false;
        QTest::newRow("write fails") << "write fails" << numbered(20) << "に保存できませんでした" << true;
        QTest::newRow("write stops part way") << "write stops part way" << numbered(20) << "書き込みが途中で止まりました" << true;
        QTest::newRow("parent is a file") << "parent is a file" << numbered(3) << "に保存できませんでした" << true;
        QTest::newRow("missing folder") << "missing folder" << numbered(3) << "に保存できませんでした" << true;
        QTest::newRow("folder") << "folder" << numbered(3) << "はファイルではないため、保存できません" << true;
        QTest::newRow("named pipe") << "pipe" << numbered(3) << "はファイルではないため、保存できません" << true;
    }
    // clang-format on
    void saveFailure()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, entries);
        QFETCH(QString, says);
        QFETCH(bool, namesFile);
        const QByteArray earlier = "1205\r\n358\r\n";
        QString p = path("pattern.vto");
        std::optional<FileSizeLimit> limit;
        if (kind == "earlier file" || kind.startsWith("write")) writeFile(p, earlier);
        if (kind == "parent is a file") {
            writeFile(path("plain"), earlier);
            p = path("plain/pattern.vto");
        } else if (kind == "missing folder") {
            p = path("nowhere/pattern.vto");
        } else if (kind == "folder") {
            QVERIFY(QDir(dir_.path()).mkdir("pattern.vto"));
        } else if (kind == "pipe") {
            QCOMPARE(::mkfifo(QFile::encodeName(p).constData(), 0600), 0);
        }
        const QStringList before = folderListing(dir_.path());

        std::optional<Message> failure;
        {
            if (kind == "write fails") limit.emplace(0);
            if (kind == "write stops part way") limit.emplace(10);
            if (limit) QVERIFY(limit->active());
            failure = writePatternFile(p, ::entries(entries));
            limit.reset();
        }
        QVERIFY(failure);
        QCOMPARE(title(*failure), QStringLiteral("保存エラー"));
        const QString shown = text(*failure).replace('\r', '\n');
        QVERIFY2(shown.contains(says), qPrintable(shown));
        if (namesFile) QVERIFY2(shown.contains(QDir::toNativeSeparators(p)), qPrintable(shown));

        QCOMPARE(folderListing(dir_.path()), before);
        if (before.contains("pattern.vto") && QFileInfo(path("pattern.vto")).isFile())
            QCOMPARE(contentOf(path("pattern.vto")), earlier);
        if (kind == "pipe") QVERIFY(QFileInfo(p).isFile() == false && QFileInfo(p).exists());
    }

    // The commands, through the real file dialogs.
    // clang-format off
    void saveCommand_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("written");
        QTest::newRow("chosen file") << "pattern.vto" << "pattern.vto";
        QTest::newRow("name without extension: .vto appended") << "pattern" << "pattern.vto";
        QTest::newRow("another extension kept") << "pattern.txt" << "pattern.txt";
        QTest::newRow("cancelled: nothing written") << "" << "";
    }
    // clang-format on
    void saveCommand()
    {
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QWidget window;
        ModalAnswerer driver({answer.isEmpty() ? QString() : path(answer)});
        savePattern(&window, entries({"431", "", "358"}));

        QCOMPARE(driver.fileDialogs(), 1);
        const SeenModal& dialog = driver.seen().first();
        QCOMPARE(dialog.acceptMode, QFileDialog::AcceptSave);
        QCOMPARE(dialog.nameFilters, QStringList{QStringLiteral("Vantoli データファイル (*.vto)")});
        QCOMPARE(dialog.defaultSuffix, QStringLiteral("vto"));
        QCOMPARE(driver.messages().size(), 0);
        if (written.isEmpty()) {
            QCOMPARE(folderListing(dir_.path()), QStringList{});
        } else {
            QCOMPARE(folderListing(dir_.path()), QStringList{written});
            QCOMPARE(contentOf(path(written)), QByteArray("431\r\n\r\n358\r\n"));
        }
    }

    void saveCommandReportsFailure()
    {
        QWidget window;
        ModalAnswerer driver({path("pattern.vto")});
        savePattern(&window, entries({"431", "358", "한국"}));
        QCOMPARE(driver.messages().size(), 1);
        const SeenModal box = driver.messages().first();
        QCOMPARE(box.title, QStringLiteral("保存エラー"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QVERIFY2(box.text.startsWith(QStringLiteral("トラック 3の\n")), qPrintable(box.text));
        QCOMPARE(folderListing(dir_.path()), QStringList{});
    }

    // clang-format off
    void openCommand_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<QString>("message");
        QTest::newRow("opened") << QByteArray("431\r\n\r\n358") << false << true << QString();
        QTest::newRow("cancelled") << QByteArray("431\r\n") << true << false << QString();
        QTest::newRow("unreadable: message, nothing to put in the window")
            << QByteArray(MaxPatternLineBytes + 1, '1') << false << false << QStringLiteral("の 1 行目が長すぎます");
    }
    // clang-format on
    void openCommand()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, cancel);
        QFETCH(bool, opened);
        QFETCH(QString, message);
        writeFile(path("pattern.vto"), file);
        QWidget window;
        ModalAnswerer driver({cancel ? QString() : path("pattern.vto")});
        const std::optional<PatternEntries> result = openPattern(&window);

        QCOMPARE(driver.fileDialogs(), 1);
        const SeenModal& dialog = driver.seen().first();
        QCOMPARE(dialog.acceptMode, QFileDialog::AcceptOpen);
        QCOMPARE(dialog.fileMode, QFileDialog::ExistingFile);
        QCOMPARE(dialog.nameFilters, QStringList{QStringLiteral("Vantoli データファイル (*.vto)")});
        QCOMPARE(result.has_value(), opened);
        if (opened) QCOMPARE(*result, entries({"431", "", "358"}));
        QCOMPARE(driver.messages().size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(driver.messages().first().title, QStringLiteral("読み込みエラー"));
            QCOMPARE(driver.messages().first().icon, QMessageBox::Critical);
            QVERIFY(driver.messages().first().text.contains(message));
        }
        QCOMPARE(contentOf(path("pattern.vto")), file);
    }
};

VANTOLI_GUI_TEST_MAIN(TestPatternFile)
#include "test_pattern_file.moc"
