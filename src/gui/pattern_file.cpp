#include "gui/pattern_file.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include "gui/message_box.h"
#include "gui/save_file.h"
#include "gui/translation.h"

namespace vantoli {

namespace {

// Qt reaches Shift-JIS through ICU; this name selects the variant Japanese Windows systems write.
constexpr const char* FileEncoding = "Shift_JIS";

constexpr Ja SaveTitle = ja("PatternFile", "保存エラー");
constexpr Ja OpenTitle = ja("PatternFile", "読み込みエラー");

Message message(Ja title, const QString& text, MessageIcon icon)
{
    return Message{translated(title).toStdString(), text.toStdString(), icon};
}

QString shownPath(const QString& path) { return QDir::toNativeSeparators(path); }

Message entryMessage(int index, const QString& problem)
{
    return message(
        SaveTitle,
        translated(ja("PatternFile", "トラック %1の\r%2\r修正してから保存してください。")).arg(index + 1).arg(problem),
        MessageIcon::Exclamation);
}

Message encodingMissing(Ja title)
{
    return message(title,
                   translated(
                       ja("PatternFile", "Shift-JIS の文字コード変換が使えないため、パターンファイルを扱えません。")),
                   MessageIcon::Stop);
}

// One line of the file as text. A line that ends in the first byte of a two-byte character would lose
// that byte without a trace; a line feed after it (never part of a character) makes the decoder
// replace it like any other bad byte, and is dropped again.
QString decodeLine(const std::string& bytes)
{
    QStringDecoder decoder(FileEncoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(QByteArray::fromStdString(bytes + '\n'));
    text.chop(1);
    // ICU puts the control character SUB in place of a single byte it cannot read.
    text.replace(QChar(0x1A), QChar::ReplacementCharacter);
    return text;
}

}  // namespace

std::optional<Message> writePatternFile(const QString& path, const PatternEntries& entries)
{
    EncodedEntries encoded;
    for (int i = 0; i < EntryCount; ++i) {
        // A line break inside an entry would split it into two lines of the file.
        if (entries[i].contains(QLatin1Char('\n')) || entries[i].contains(QLatin1Char('\r')))
            return entryMessage(i, translated(ja("PatternFile",
                                                 "入力に改行が含まれているため、パターンファイルに保存できません。")));
        QStringEncoder encoder(FileEncoding, QStringConverter::Flag::Stateless);
        if (!encoder.isValid()) return encodingMissing(SaveTitle);
        const QByteArray bytes = encoder.encode(entries[i]);
        if (encoder.hasError())
            return entryMessage(i, translated(ja("PatternFile",
                                                 "入力に、パターンファイルに保存できない文字が含まれています。")));
        if (static_cast<std::size_t>(bytes.size()) > MaxPatternLineBytes)
            return entryMessage(i, translated(
                                       ja("PatternFile", "入力が長すぎるため、パターンファイルに保存できません。")));
        encoded[i] = bytes.toStdString();
    }

    const QByteArray content = QByteArray::fromStdString(joinPatternLines(encoded));
    if (const std::optional<QString> failure = saveWholeFile(path, content))
        return message(SaveTitle, *failure, MessageIcon::Stop);
    return std::nullopt;
}

std::variant<PatternEntries, Message> readPatternFile(const QString& path)
{
    // A pipe or a device could block the program or never end: only a file is opened.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return message(OpenTitle,
                       translated(ja("PatternFile", "「%1」はファイルではないため、開けません。")).arg(shownPath(path)),
                       MessageIcon::Stop);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return message(OpenTitle,
                       translated(ja("PatternFile", "ファイル「%1」を開けませんでした。\r%2"))
                           .arg(shownPath(path), file.errorString()),
                       MessageIcon::Stop);

    std::string bytes(PatternReadLimit, '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const qint64 got = file.read(bytes.data() + filled, static_cast<qint64>(bytes.size() - filled));
        if (got < 0)
            return message(OpenTitle,
                           translated(ja("PatternFile", "ファイル「%1」を読み込めませんでした。\r%2"))
                               .arg(shownPath(path), file.errorString()),
                           MessageIcon::Stop);
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);

    const auto lineTooLong = [&path](int line) {
        return message(OpenTitle,
                       translated(
                           ja("PatternFile",
                              "ファイル「%1」の %2 行目が長すぎます。\rVantoli のパターンファイルではないようです。"))
                           .arg(shownPath(path))
                           .arg(line),
                       MessageIcon::Stop);
    };
    const PatternSplit split = splitPatternLines(bytes);
    if (const auto* tooLong = std::get_if<PatternLineTooLong>(&split)) return lineTooLong(tooLong->line);

    QStringDecoder probe(FileEncoding);
    if (!probe.isValid()) return encodingMissing(OpenTitle);
    PatternEntries entries;
    const auto& lines = std::get<std::vector<std::string>>(split);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        entries[i] = decodeLine(lines[i]);
        // An entry box would cut a longer line short.
        if (entries[i].size() > MaxEntryLength) return lineTooLong(static_cast<int>(i) + 1);
    }
    return entries;
}

QString patternFileFilter() { return translated(ja("PatternFile", "Vantoli データファイル (*.vto)")); }

void savePattern(QWidget* parent, const PatternEntries& entries)
{
    // No title, folder or default extension: a name typed without an extension is used as typed.
    const QString path = QFileDialog::getSaveFileName(parent, QString(), QString(), patternFileFilter());
    if (path.isEmpty()) return;
    if (const std::optional<Message> failure = writePatternFile(path, entries)) showMessage(parent, *failure);
}

std::optional<PatternEntries> openPattern(QWidget* parent)
{
    const QString path = QFileDialog::getOpenFileName(parent, QString(), QString(), patternFileFilter());
    if (path.isEmpty()) return std::nullopt;
    auto result = readPatternFile(path);
    if (const auto* failure = std::get_if<Message>(&result)) {
        showMessage(parent, *failure);
        return std::nullopt;
    }
    return std::get<PatternEntries>(std::move(result));
}

}  // namespace vantoli
