#include "gui/read_progress.h"

#include <QProgressDialog>

namespace vantoli {

namespace {
constexpr int ProgressDelayMs = 300;  // a quick read shows no window
}

QProgressDialog* newReadProgress(QWidget* parent, const QString& label, const QString& cancel)
{
    auto* progress = new QProgressDialog(label, cancel, 0, 0, parent);
    progress->setObjectName(QStringLiteral("readProgress"));
    progress->setWindowTitle(QStringLiteral("Vantoli"));
    progress->setMinimumDuration(ProgressDelayMs);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    return progress;
}

}  // namespace vantoli
