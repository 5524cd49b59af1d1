#include "gui/pattern_file.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "core/text_encoding.h"
#include "gui/message_box.h"
#include "gui/save_file.h"
#include "gui/translation.h"

namespace vantoli {

namespace {

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

// The path with ".vto" appended when its file name has no extension (no dot); otherwise as it is.
QString withPatternExtension(const QString& path)
{
    if (path.isEmpty() || QFileInfo(path).fileName().contains(QLatin1Char('.'))) return path;
    return path + QStringLiteral(".vto");
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
        if (!shiftJisAvailable()) return encodingMissing(SaveTitle);
        // A lone surrogate would come out of QString as some other character.
        std::optional<std::string> bytes;
        if (entries[i].isValidUtf16()) bytes = utf8ToShiftJis(entries[i].toStdString());
        if (!bytes)
            return entryMessage(i, translated(ja("PatternFile",
                                                 "入力に、パターンファイルに保存できない文字が含まれています。")));
        if (bytes->size() > MaxPatternLineBytes)
            return entryMessage(i, translated(
                                       ja("PatternFile", "入力が長すぎるため、パターンファイルに保存できません。")));
        encoded[i] = std::move(*bytes);
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

    if (!shiftJisAvailable()) return encodingMissing(OpenTitle);
    PatternEntries entries;
    const auto& lines = std::get<std::vector<std::string>>(split);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        entries[i] = QString::fromStdString(shiftJisToUtf8Replacing(lines[i]));
        // An entry box would cut a longer line short.
        if (entries[i].size() > MaxEntryLength) return lineTooLong(static_cast<int>(i) + 1);
    }
    return entries;
}

QString patternFileFilter() { return translated(ja("PatternFile", "Vantoli データファイル (*.vto)")); }

void savePattern(QWidget* parent, const PatternEntries& entries)
{
    // No title or folder. A name typed without an extension gets ".vto", so that the open dialog
    // shows the file; Qt's own dialog adds it before asking whether to replace a file of that name.
    QFileDialog dialog(parent, QString(), QString(), patternFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("vto"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    // A dialog of the system may leave the extension to us.
    const QString path = withPatternExtension(dialog.selectedFiles().constFirst());
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
