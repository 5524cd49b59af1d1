#pragma once
// The chooser of the disc database's releases ("ReleaseChooser"): when several releases carry the
// disc just read, one row each (artist, title, year, country, format, barcode, track count), those
// whose track count matches the disc first; the first row is chosen at the start. Modal.

#include <QDialog>

#include <vector>

#include "core/disc_release.h"

class QPushButton;
class QTableWidget;

namespace vantoli {

class ReleaseChooser : public QDialog {
    Q_OBJECT
public:
    ReleaseChooser(const std::vector<DiscRelease>& releases, QWidget* parent);

    QTableWidget* tblReleases() const { return tblReleases_; }
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }

    // The row chosen, 0 for the first; -1 when none is.
    int chosen() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void showHeadings();

    QTableWidget* tblReleases_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

}  // namespace vantoli
