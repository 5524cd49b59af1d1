#include "gui/pattern_commands.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>

#include "gui/main_form.h"
#include "gui/message_box.h"

namespace vantoli {

QString patternFileFilter() { return QStringLiteral("Vantoli データファイル (*.vto)"); }

void savePattern(QWidget* parent, const PatternEntries& entries)
{
    // No title, folder or default extension: a name typed without an extension is used as typed.
    const QString path = QFileDialog::getSaveFileName(parent, QString(), QString(), patternFileFilter());
    if (path.isEmpty()) return;
    if (const std::optional<Message> failure = writePatternFile(path, entries)) showMessage(parent, *failure);
}

std::optional<PatternEntries> openPattern(QWidget* parent)
{
    const QString path = QFileDialog::getOpenFileName(parent, QString(), QString(), patternFileFilter());
    if (path.isEmpty()) return std::nullopt;
    auto result = readPatternFile(path);
    if (const auto* failure = std::get_if<Message>(&result)) {
        showMessage(parent, *failure);
        return std::nullopt;
    }
    return std::get<PatternEntries>(std::move(result));
}

// The main window's two File menu commands.

void MainForm::mnuFileSave_Click()
{
    PatternEntries entries;
    for (int i = 0; i < TrackCount; ++i) entries[i] = Tm_[i]->text();
    savePattern(this, entries);
}

void MainForm::mnuFileOpen_Click()
{
    // The window is cleared only once the file has been read whole.
    const std::optional<PatternEntries> entries = openPattern(this);
    if (!entries) return;
    Clear_Click();
    for (int i = 0; i < TrackCount; ++i) Tm_[i]->setText((*entries)[i]);
    Run_->setFocus();
}

}  // namespace vantoli
