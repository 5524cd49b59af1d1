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

// The path in the environment variable when it is set (tests put the build's or a stand-in there),
// else the one beside the program.
QString setOrBesideProgram(const char* variable, const char* relative)
{
    const QString set = qEnvironmentVariable(variable);
    return set.isEmpty() ? besideProgram(relative) : set;
}

}  // namespace

QString planProgram() { return setOrBesideProgram("VANTOLI_PLAN", VANTOLI_PLAN_FROM_PROGRAM "/vantoli-plan"); }

QString helperProgram() { return setOrBesideProgram("VANTOLI_HELPER", VANTOLI_HELPER_FROM_PROGRAM "/vantoli-helper"); }

QString printModule() { return setOrBesideProgram("VANTOLI_PRINT", VANTOLI_HELPER_FROM_PROGRAM "/vantoli-print.so"); }

std::string helperFile() { return QFile::encodeName(helperProgram()).toStdString(); }

QString helpFolder() { return setOrBesideProgram("VANTOLI_HELP", VANTOLI_HELP_FROM_PROGRAM); }

}  // namespace vantoli
