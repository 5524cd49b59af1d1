#pragma once
// vantoli-plan as a child of the window: started in the window's language, and let go without waiting.

#include <QStringList>

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

}  // namespace vantoli
