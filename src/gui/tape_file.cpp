#include "gui/tape_file.h"
#include "core/file_names.h"

#include <QDir>
#include <QFile>
#include <QUrl>

#include <string_view>

#include "core/tape_document.h"
#include "device/tape_settings_file.h"
#include "gui/translation.h"

namespace vantoli {

bool isTapeDocumentName(const QString& path)
{
    return hasExtension(path.toStdString(), TapeDocumentExtension);
}

QString tapeFileFilter() { return translated(ja("MainForm", "Vantoli テープ (*.vantoli);;すべてのファイル (*)")); }

namespace {

// The recent tapes are kept in the settings file as [RecentTapes] file1 to file8, each path
// percent-encoded so that any name fits on its line.
constexpr const char* RecentGroup = "RecentTapes";

std::string recentKey(int i) { return "file" + std::to_string(i + 1); }

}  // namespace

QStringList loadRecentTapes()
{
    const std::string settings = tapeSettingsPath();
    QStringList paths;
    for (int i = 0; i < RecentTapeCount; ++i) {
        const std::string value = readSetting(settings, RecentGroup, recentKey(i));
        if (!value.empty()) paths << QString::fromUtf8(QByteArray::fromPercentEncoding(QByteArray::fromStdString(value)));
    }
    paths.removeAll(QString());
    paths.removeDuplicates();
    return paths;
}

void saveRecentTapes(const QStringList& paths)
{
    const std::string settings = tapeSettingsPath();
    for (int i = 0; i < RecentTapeCount; ++i) {
        const QByteArray value = i < paths.size() ? QUrl::toPercentEncoding(paths[i]) : QByteArray();
        writeSetting(settings, RecentGroup, recentKey(i), value.toStdString());
    }
}

QString userStateFolder()
{
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base = QDir::isAbsolutePath(state) ? state : QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/vantoli");
}

}  // namespace vantoli
