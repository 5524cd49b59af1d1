#pragma once
// The progress of a read running on a thread of its own (files, folders, albums): shown only when the
// read takes longer than a moment, with Cancel, and left for the caller to close.

#include <QString>

class QProgressDialog;
class QWidget;

namespace vantoli {

QProgressDialog* newReadProgress(QWidget* parent, const QString& label, const QString& cancel);

}  // namespace vantoli
