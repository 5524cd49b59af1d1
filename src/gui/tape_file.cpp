#include "gui/tape_file.h"
#include "core/file_names.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

#include <string_view>

#include "core/tape_document.h"
#include "core/tape_settings.h"
#include "device/tape_settings_file.h"
#include "gui/translation.h"

namespace vantoli {

bool isTapeDocumentName(const QString& path)
{
    return hasExtension(path.toStdString(), TapeDocumentExtension);
}

QString tapeFileFilter() { return translated(ja("MainForm", "Vantoli テープ (*.vantoli);;すべてのファイル (*)")); }

QString chooseTapeFileToSave(QWidget* parent, const QString& title, const QString& start)
{
    QFileDialog dialog(parent, title, start, tapeFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("vantoli"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    QString path = dialog.selectedFiles().constFirst();
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QString::fromLatin1(TapeDocumentExtension.data(), TapeDocumentExtension.size());
    return path;
}

namespace {

// The recent tapes are kept in the settings file as [RecentTapes] file1 to file8, each path
// percent-encoded so that any name fits on its line.
constexpr const char* RecentGroup = "RecentTapes";

std::string recentKey(int i) { return "file" + std::to_string(i + 1); }

// The list as the settings file's text holds it.
QStringList recentTapesIn(std::string_view settings)
{
    QStringList paths;
    for (int i = 0; i < RecentTapeCount; ++i) {
        const std::string value = settingValue(settings, RecentGroup, recentKey(i));
        if (!value.empty()) paths << QString::fromUtf8(QByteArray::fromPercentEncoding(QByteArray::fromStdString(value)));
    }
    paths.removeAll(QString());
    paths.removeDuplicates();
    return paths;
}

// The settings file's text with `paths` as the list.
std::string withRecentTapes(std::string settings, const QStringList& paths)
{
    for (int i = 0; i < RecentTapeCount; ++i) {
        const QByteArray value = i < paths.size() ? QUrl::toPercentEncoding(paths[i]) : QByteArray();
        settings = withSettingValue(settings, RecentGroup, recentKey(i), value.toStdString());
    }
    return settings;
}

}  // namespace

QStringList loadRecentTapes()
{
    return recentTapesIn(readSettingsText(tapeSettingsPath()));
}

void saveRecentTapes(const QStringList& paths)
{
    changeSettings(tapeSettingsPath(),
                   [&](std::string_view settings) { return withRecentTapes(std::string(settings), paths); });
}

void addRecentTape(const QString& path)
{
    changeSettings(tapeSettingsPath(), [&](std::string_view settings) {
        QStringList paths = recentTapesIn(settings);
        paths.removeAll(path);
        paths.prepend(path);
        return withRecentTapes(std::string(settings), paths.mid(0, RecentTapeCount));
    });
}

QString userStateFolder()
{
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base = QDir::isAbsolutePath(state) ? state : QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/vantoli");
}

}  // namespace vantoli
