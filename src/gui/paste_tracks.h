#pragma once
// The window for a pasted track list ("PasteTracks"): the text box txtPaste on the left, the tracks
// read from it on the right (tblParsed, one row a line, lines that cannot be read marked), read again
// as the text changes. OK takes the tracks read; it is offered once at least one line reads. Modal,
// laid out with Qt layouts.

#include <QDialog>

#include "core/track_list.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace vantoli {

class PasteTracks : public QDialog {
    Q_OBJECT
public:
    explicit PasteTracks(QWidget* parent);

    QPlainTextEdit* txtPaste() const { return txtPaste_; }
    QTableWidget* tblParsed() const { return tblParsed_; }
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }

    // The tracks the text gives now.
    const TrackList& tracks() const { return tracks_; }

public slots:
    void txtPaste_Change();

protected:
    void changeEvent(QEvent* event) override;

private:
    void showHeadings();

    QPlainTextEdit* txtPaste_ = nullptr;
    QTableWidget* tblParsed_ = nullptr;
    QLabel* lblSummary_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    TrackList tracks_;
};

}  // namespace vantoli
