#include <QtTest>

#include "core/pattern_format.h"

using namespace vantoli;

namespace {

// Entries written as one text with "|" between neighbouring entries: "431||358" fills entries 0 and 2.
EncodedEntries entries(const QByteArray& joined)
{
    EncodedEntries e;
    const QList<QByteArray> parts = joined.split('|');
    for (int i = 0; i < parts.size() && i < EntryCount; ++i) e[i] = parts[i].toStdString();
    return e;
}

QByteArrayList numberedLines(int count, const char* prefix = "")
{
    QByteArrayList lines;
    for (int i = 1; i <= count; ++i) lines << QByteArray(prefix) + QByteArray::number(i * 100 + 5);
    return lines;
}

QByteArray crlfFile(const QByteArrayList& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines) bytes += line + "\r\n";
    return bytes;
}

// The lines a split gave, or the number of the line too long (0 when none was).
std::pair<QByteArrayList, int> outcome(const PatternSplit& split)
{
    if (const auto* tooLong = std::get_if<PatternLineTooLong>(&split)) return {{}, tooLong->line};
    QByteArrayList lines;
    for (const std::string& line : std::get<std::vector<std::string>>(split)) lines << QByteArray::fromStdString(line);
    return {lines, 0};
}

}  // namespace

class TestPatternFormat : public QObject {
    Q_OBJECT
private slots:
    // Which entries a save writes, and the exact bytes.
    // clang-format off
    void join_data()
    {
        QTest::addColumn<QByteArray>("entries");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("all empty: one empty line") << QByteArray() << 1 << QByteArray("\r\n");
        QTest::newRow("one entry") << QByteArray("431") << 1 << QByteArray("431\r\n");
        QTest::newRow("two entries") << QByteArray("431|1205") << 2 << QByteArray("431\r\n1205\r\n");
        QTest::newRow("gap is kept") << QByteArray("431|1205||358") << 4 << QByteArray("431\r\n1205\r\n\r\n358\r\n");
        QTest::newRow("entry 0 empty") << QByteArray("|431|1205") << 3 << QByteArray("\r\n431\r\n1205\r\n");
        QTest::newRow("only entry 5") << QByteArray("|||||300") << 6 << QByteArray("\r\n\r\n\r\n\r\n\r\n300\r\n");
        QTest::newRow("only entry 19") << QByteArray("|||||||||||||||||||7") << 20
                                       << QByteArray("\r\n").repeated(19) + "7\r\n";
        QTest::newRow("all 20") << numberedLines(20).join('|') << 20 << crlfFile(numberedLines(20));
        QTest::newRow("blank is not empty") << QByteArray("431| ") << 2 << QByteArray("431\r\n \r\n");
        QTest::newRow("bytes unchanged") << QByteArray("\x82\xa0|\x81\x60") << 2 << QByteArray("\x82\xa0\r\n\x81\x60\r\n");
    }
    // clang-format on
    void join()
    {
        QFETCH(QByteArray, entries);
        QFETCH(int, lineCount);
        QFETCH(QByteArray, file);
        QCOMPARE(patternLineCount(::entries(entries)), lineCount);
        QCOMPARE(QByteArray::fromStdString(joinPatternLines(::entries(entries))), file);
    }

    // clang-format off
    void split_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::addColumn<int>("tooLongLine");
        QTest::newRow("empty file: no line") << QByteArray() << QByteArrayList{} << 0;
        QTest::newRow("one empty line") << QByteArray("\r\n") << QByteArrayList{""} << 0;
        QTest::newRow("CR LF") << QByteArray("431\r\n1205\r\n") << QByteArrayList{"431", "1205"} << 0;
        QTest::newRow("CR alone") << QByteArray("431\r1205\r") << QByteArrayList{"431", "1205"} << 0;
        QTest::newRow("LF alone") << QByteArray("431\n1205\n") << QByteArrayList{"431", "1205"} << 0;
        QTest::newRow("mixed ends") << QByteArray("1\r2\n3\r\n4") << QByteArrayList{"1", "2", "3", "4"} << 0;
        QTest::newRow("last line without end") << QByteArray("431\r\n358") << QByteArrayList{"431", "358"} << 0;
        QTest::newRow("only a line without end") << QByteArray("431") << QByteArrayList{"431"} << 0;
        QTest::newRow("empty line in the middle") << QByteArray("1\r\n\r\n3\r\n") << QByteArrayList{"1", "", "3"} << 0;
        QTest::newRow("CR CR is two ends") << QByteArray("\r\r") << QByteArrayList{"", ""} << 0;
        QTest::newRow("LF CR is two ends") << QByteArray("1\n\r2") << QByteArrayList{"1", "", "2"} << 0;
        QTest::newRow("CR LF LF") << QByteArray("1\r\n\n") << QByteArrayList{"1", ""} << 0;
        QTest::newRow("blanks kept") << QByteArray(" 431 \r\n") << QByteArrayList{" 431 "} << 0;
        QTest::newRow("NUL is an ordinary byte") << QByteArray("4\0" "31\r\n", 6) << QByteArrayList{QByteArray("4\0" "31", 4)} << 0;
        QTest::newRow("20 lines") << crlfFile(numberedLines(20)) << numberedLines(20) << 0;
        QTest::newRow("25 lines: first 20") << crlfFile(numberedLines(25)) << numberedLines(20) << 0;
        QTest::newRow("21st line never looked at")
            << crlfFile(numberedLines(20)) + QByteArray(MaxPatternLineBytes * 3, 'x') << numberedLines(20) << 0;
        QTest::newRow("line of the longest length") << QByteArray(MaxPatternLineBytes, '7') + "\r\n"
                                                    << QByteArrayList{QByteArray(MaxPatternLineBytes, '7')} << 0;
        QTest::newRow("line one byte too long") << QByteArray(MaxPatternLineBytes + 1, '7') + "\r\n" << QByteArrayList{} << 1;
        QTest::newRow("unended last line too long") << QByteArray("1\r\n2\r\n") + QByteArray(MaxPatternLineBytes + 1, '7')
                                                    << QByteArrayList{} << 3;
        QTest::newRow("line of a megabyte") << QByteArray(1 << 20, 'a') << QByteArrayList{} << 1;
        QTest::newRow("too long line 20") << crlfFile(numberedLines(19)) + QByteArray(MaxPatternLineBytes + 1, '7')
                                          << QByteArrayList{} << 20;
    }
    // clang-format on
    void split()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArrayList, lines);
        QFETCH(int, tooLongLine);
        const auto [gotLines, gotTooLong] = outcome(splitPatternLines(file.toStdString()));
        QCOMPARE(gotTooLong, tooLongLine);
        QCOMPARE(gotLines, lines);
    }

    // A reader takes only the first PatternReadLimit bytes of a file; for any file that gives the same
    // lines, or the same line too long, as the whole file would.
    // clang-format off
    void readLimitIsEnough_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray longest(MaxPatternLineBytes, '9');
        const QByteArray tooLong(MaxPatternLineBytes + 1, '9');
        QTest::newRow("20 longest lines and more") << (longest + "\r\n").repeated(25);
        QTest::newRow("20 longest lines, CR alone") << (longest + "\r").repeated(25);
        QTest::newRow("19 longest lines, then one too long") << (longest + "\r\n").repeated(19) + tooLong + "\r\n" + longest;
        QTest::newRow("too long line 20 without end") << (longest + "\r\n").repeated(19) + tooLong + tooLong;
        QTest::newRow("short lines then a huge one") << QByteArray("431\r\n").repeated(5) + QByteArray(3 * PatternReadLimit, 'x');
        QTest::newRow("no line end at all") << QByteArray(2 * PatternReadLimit, '\0');
    }
    // clang-format on
    void readLimitIsEnough()
    {
        QFETCH(QByteArray, file);
        QVERIFY(static_cast<std::size_t>(file.size()) > PatternReadLimit);
        const std::string whole = file.toStdString();
        const auto [prefixLines, prefixTooLong] =
            outcome(splitPatternLines(std::string_view(whole).substr(0, PatternReadLimit)));
        const auto [wholeLines, wholeTooLong] = outcome(splitPatternLines(whole));
        QCOMPARE(prefixTooLong, wholeTooLong);
        QCOMPARE(prefixLines, wholeLines);
    }
};

QTEST_APPLESS_MAIN(TestPatternFormat)
#include "test_pattern_format.moc"
