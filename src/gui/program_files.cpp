#include "gui/program_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace vantoli {

namespace {

QString besideProgram(const char* relative)
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') + QString::fromUtf8(relative));
}

}  // namespace

QString planProgram()
{
    const QString set = qEnvironmentVariable("VANTOLI_PLAN");
    if (!set.isEmpty()) return set;
    return besideProgram(VANTOLI_PLAN_FROM_PROGRAM "/vantoli-plan");
}

QString helperProgram()
{
    const QString set = qEnvironmentVariable("VANTOLI_HELPER");
    if (!set.isEmpty()) return set;
    return besideProgram(VANTOLI_HELPER_FROM_PROGRAM "/vantoli-helper");
}

QString printModule()
{
    const QString set = qEnvironmentVariable("VANTOLI_PRINT");
    if (!set.isEmpty()) return set;
    return besideProgram(VANTOLI_HELPER_FROM_PROGRAM "/vantoli-print.so");
}

std::string helperFile() { return QFile::encodeName(helperProgram()).toStdString(); }

QString helpFolder()
{
    const QString set = qEnvironmentVariable("VANTOLI_HELP");  // for tests, as VANTOLI_PLAN
    if (!set.isEmpty()) return set;
    return besideProgram(VANTOLI_HELP_FROM_PROGRAM);
}

}  // namespace vantoli
