#include "gui/plan_process.h"

#include <QCoreApplication>
#include <QProcess>

#include "core/language.h"
#include "gui/program_files.h"

namespace vantoli {

QProcess* newPlanProcess(QObject* owner)
{
    auto* child = new QProcess(owner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LANGUAGE"));
    environment.insert(QStringLiteral("LC_ALL"), currentLanguage() == Language::English ? QStringLiteral("en_US.UTF-8")
                                                                                       : QStringLiteral("C.UTF-8"));
    child->setProcessEnvironment(environment);
    return child;
}

void startPlan(QProcess* process, const QStringList& arguments) { process->start(planProgram(), arguments); }

void letProcessEnd(QProcess* child)
{
    child->setParent(QCoreApplication::instance());
    QObject::connect(child, &QProcess::finished, child, &QObject::deleteLater);
    QObject::connect(child, &QProcess::errorOccurred, child, [child](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) child->deleteLater();
    });
}

}  // namespace vantoli
