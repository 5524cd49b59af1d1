#pragma once
// Saving a file so that a failure leaves any earlier file exactly as it was.

#include <QByteArray>
#include <QString>

#include <optional>

namespace vantoli {

// Writes content to path in one piece, replacing the file there only once the new content is
// complete (QSaveFile, unbuffered: QSaveFile notices a write that fails but not a failed flush of its
// own buffer). Only a file is replaced, never a folder, a device or a pipe. Returns the text of the
// message to show when the save did not happen, naming the file and the reason, or nothing on success.
std::optional<QString> saveWholeFile(const QString& path, const QByteArray& content);

}  // namespace vantoli
