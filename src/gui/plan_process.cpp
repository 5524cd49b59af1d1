#include "gui/plan_process.h"

#include <QComboBox>
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

void addSoundDevices(QComboBox* box, const std::vector<SoundDevice>& devices)
{
    for (const SoundDevice& device : devices) {
        if (device.name.empty()) continue;
        const QString name = QString::fromStdString(device.name);
        box->addItem(device.description.empty() ? name : QString::fromStdString(device.description), name);
    }
}

PlanChild::PlanChild(QObject* parent) : QObject(parent) {}

PlanChild::~PlanChild() { kill(); }

void PlanChild::start(const QStringList& arguments)
{
    kill();
    pending_.clear();
    process_ = newPlanProcess(this);
    QProcess* process = process_;
    connect(process, &QProcess::readyReadStandardOutput, this, [this, process] {
        if (process != process_) return;
        pending_ += process->readAllStandardOutput();
        qsizetype end;
        while ((end = pending_.indexOf('\n')) >= 0) {
            const QByteArray text = pending_.left(end);
            pending_.remove(0, end + 1);
            if (!text.trimmed().isEmpty()) emit line(text);
        }
    });
    connect(process, &QProcess::finished, this, [this, process](int code, QProcess::ExitStatus status) {
        if (process != process_) return;
        const QString errors = QString::fromUtf8(process->readAllStandardError()).trimmed();
        process_ = nullptr;
        process->deleteLater();
        emit finished(status == QProcess::NormalExit ? code : -1, errors);
    });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (process != process_ || error != QProcess::FailedToStart) return;
        process_ = nullptr;
        process->deleteLater();
        emit finished(-1, tr("vantoli-plan を起動できません（%1）。").arg(planProgram()));
    });
    startPlan(process, arguments);
}

bool PlanChild::running() const { return process_ != nullptr; }

void PlanChild::send(const QByteArray& command)
{
    if (process_) process_->write(command + '\n');
}

void PlanChild::closeInput()
{
    if (process_) process_->closeWriteChannel();
}

void PlanChild::kill()
{
    if (!process_) return;
    QProcess* process = process_;
    process_ = nullptr;
    process->disconnect(this);
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
        return;
    }
    letProcessEnd(process);
    process->kill();
}

}  // namespace vantoli
