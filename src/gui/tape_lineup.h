#pragma once
// The window of the tapes the user plans with ("テープの種類"): every length with a tick for the ones
// they own and the seconds one side holds, which they may set to what they measured. Lengths of 1 to
// 180 minutes may be added and removed again; the standard list can be restored. OK checks the list
// and keeps the window open with a message when something is wrong; cancel and the close box apply
// nothing. The window is modal and laid out with Qt layouts.

#include <QDialog>

#include <vector>

#include "core/tape_lineup.h"

class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace vantoli {

class TapeLineup : public QDialog {
    Q_OBJECT
public:
    TapeLineup(const std::vector<TapeChoice>& choices, QWidget* parent);

    // The list as the window shows it now.
    std::vector<TapeChoice> choices() const;

    // Controls, by their names. The list's rows are the lengths, shortest first: column 0 the tape
    // with its tick, column 1 the side capacity in seconds (capacityBox), column 2 the same in minutes
    // and seconds.
    QTableWidget* TapeList() const { return TapeList_; }
    QSpinBox* capacityBox(int row) const;
    QSpinBox* TapeMinutes() const { return TapeMinutes_; }
    QPushButton* TapeAdd() const { return TapeAdd_; }
    QPushButton* TapeRemove() const { return TapeRemove_; }
    QPushButton* TapeStandard() const { return TapeStandard_; }
    QPushButton* TapeOK() const { return TapeOK_; }
    QPushButton* TapeCancel() const { return TapeCancel_; }

public slots:
    // Adds the length of TapeMinutes, owned, with the standard capacity, and selects it.
    void TapeAdd_Click();
    // Removes the selected length if the user added it; the standard lengths stay.
    void TapeRemove_Click();
    // Puts back the fourteen standard lengths, all owned, with their standard capacities.
    void TapeStandard_Click();
    // Checks the list: closes the window with it when it is right, shows what is wrong otherwise.
    void TapeOK_Click();

private:
    void fill(const std::vector<TapeChoice>& choices, int selectMinutes);
    void updateRemove();
    int selectedRow() const;

    QTableWidget* TapeList_ = nullptr;
    QSpinBox* TapeMinutes_ = nullptr;
    QPushButton* TapeAdd_ = nullptr;
    QPushButton* TapeRemove_ = nullptr;
    QPushButton* TapeStandard_ = nullptr;
    QPushButton* TapeOK_ = nullptr;
    QPushButton* TapeCancel_ = nullptr;
};

}  // namespace vantoli
