#pragma once
// The cassette label on paper: as a PDF file of one A4 page, and on the printer.

#include <QString>

#include <optional>

#include "core/label_content.h"
#include "core/message.h"
#include "gui/print_session.h"

class QIODevice;

namespace vantoli {

// Writes the card, at true size in the middle of one A4 page, as PDF to device (open for writing).
// The fonts go into the file with it, so that it prints the same anywhere. Returns false when the
// page could not be painted.
bool writeJCardPdf(QIODevice& device, const LabelContent& label);

// Writes the card as a PDF file at path. The page goes to a temporary file that replaces the earlier
// file only once it is complete, so a save that fails leaves the earlier file exactly as it was; only
// a file is replaced, never a folder, a device or a pipe. Returns the message to show for a save that
// did not happen, or nothing on success.
std::optional<Message> saveJCardPdf(const QString& path, const LabelContent& label);

// The card to print, at true size in the middle of the printer's paper.
PrintJob jcardPrintJob(const LabelContent& label);

// The message to show for a print of the card that did not happen, or nothing when it printed or the
// user cancelled. A missing print module is a missing outcome.
std::optional<Message> printFailure(std::optional<PrintOutcome> outcome);

}  // namespace vantoli
