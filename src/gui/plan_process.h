#pragma once
// vantoli-plan as a child of the window: started in the window's language, and let go without waiting.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

#include "core/sound_report.h"

class QComboBox;
class QObject;
class QProcess;

namespace vantoli {

// A process for vantoli-plan, owned by owner, not yet started: start it with startPlan once its signals
// are connected. The child's messages speak the window's language, which the Settings menu may have
// chosen against the environment.
QProcess* newPlanProcess(QObject* owner);
void startPlan(QProcess* process, const QStringList& arguments);

// Lets a child end on its own after its owner has gone: the process object deletes itself once the
// child has ended, and nothing waits for it here. Until then the application holds it, so a program
// that quits first still reaps the child as it closes.
void letProcessEnd(QProcess* child);

// Devices as vantoli-plan --devices lists them, added to a box: each shown by its description (else
// its name), with the name --device takes as the item's data.
void addSoundDevices(QComboBox* box, const std::vector<SoundDevice>& devices);

// One vantoli-plan child: started with its arguments, each line of its standard output handed on as it
// comes, commands written a line at a time, its end reported with its exit status and what it wrote on
// standard error. Never waits.
class PlanChild : public QObject {
    Q_OBJECT
public:
    explicit PlanChild(QObject* parent = nullptr);
    ~PlanChild() override;  // ends a child still running

    void start(const QStringList& arguments);
    bool running() const;
    // Writes a command line ("stop", "pause") to the child's standard input.
    void send(const QByteArray& command);
    // Closes the child's standard input: all it was to read has been sent.
    void closeInput();
    // Ends the child at once.
    void kill();

signals:
    void line(const QByteArray& text);
    void finished(int exitStatus, const QString& errors);

private:
    QProcess* process_ = nullptr;
    QByteArray pending_;
};

}  // namespace vantoli
