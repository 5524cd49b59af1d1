#include "gui/save_file.h"
#include "gui/translation.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace vantoli {

std::optional<QString> saveWholeFile(const QString& path, const QByteArray& content)
{
    const QString shown = QDir::toNativeSeparators(path);
    // QSaveFile would put a new file in place of a device or a pipe: only a file is replaced.
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile())
        return translated(ja("SaveFile", "「%1」はファイルではないため、保存できません。")).arg(shown);

    QSaveFile file(path);
    QString reason;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        reason = file.errorString();
    } else if (file.write(content) != content.size()) {
        // A write the system cut short without an error has no reason of its own.
        reason = file.error() == QFileDevice::NoError ? translated(ja("SaveFile", "書き込みが途中で止まりました。"))
                                                      : file.errorString();
    } else if (!file.commit()) {
        reason = file.errorString();
    } else {
        return std::nullopt;
    }
    // Unless committed, QSaveFile removes its temporary file and never touches the file at path.
    QString text = translated(ja("SaveFile", "ファイル「%1」に保存できませんでした。\r%2")).arg(shown, reason);
    if (existing.exists()) text += translated(ja("SaveFile", "\r以前の内容はそのまま残っています。"));
    return text;
}

}  // namespace vantoli
