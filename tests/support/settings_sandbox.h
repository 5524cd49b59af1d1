#pragma once
// Settings in tests: the program keeps the user's tapes in an INI file under the user's configuration
// folder. Every test program that opens windows keeps that folder in a temporary directory of its own
// for as long as it runs, so that no test reads or writes the real user's settings.

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

namespace vantoli::test {

class SettingsSandbox {
public:
    SettingsSandbox()
    {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder_.path()));
        for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
            for (const QSettings::Format format : {QSettings::IniFormat, QSettings::NativeFormat})
                QSettings::setPath(format, scope, folder_.path());
    }
    SettingsSandbox(const SettingsSandbox&) = delete;
    SettingsSandbox& operator=(const SettingsSandbox&) = delete;

    QString folder() const { return folder_.path(); }

private:
    QTemporaryDir folder_;
};

// The program's settings file inside the sandbox (it need not exist yet).
inline QString settingsFile()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Vantoli"), QStringLiteral("Vantoli"))
        .fileName();
}

}  // namespace vantoli::test
