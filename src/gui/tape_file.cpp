#include "gui/tape_file.h"

#include <QDir>
#include <QSettings>

#include <string_view>

#include "core/tape_document.h"

namespace vantoli {

bool isTapeDocumentName(const QString& path)
{
    return path.endsWith(QString::fromLatin1(TapeDocumentExtension.data(), TapeDocumentExtension.size()),
                         Qt::CaseInsensitive);
}

QString tapeFileFilter() { return QStringLiteral("Vantoli テープ (*.vantoli);;すべてのファイル (*)"); }

namespace {

const QString RecentGroup = QStringLiteral("RecentTapes");
const QString RecentKey = QStringLiteral("files");

}  // namespace

QStringList loadRecentTapes()
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Vantoli"), QStringLiteral("Vantoli"));
    QStringList paths = s.value(RecentGroup + QLatin1Char('/') + RecentKey).toStringList();
    paths.removeAll(QString());
    paths.removeDuplicates();
    return paths.mid(0, RecentTapeCount);
}

void saveRecentTapes(const QStringList& paths)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Vantoli"), QStringLiteral("Vantoli"));
    if (paths.isEmpty())
        s.remove(RecentGroup);
    else
        s.setValue(RecentGroup + QLatin1Char('/') + RecentKey, paths.mid(0, RecentTapeCount));
}

QString userStateFolder()
{
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base = QDir::isAbsolutePath(state) ? state : QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/vantoli");
}

}  // namespace vantoli
