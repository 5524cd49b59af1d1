#pragma once
// The window of the tapes the user plans with ("テープの種類"): every length with a tick for the ones
// they own and the seconds one side holds, which they may set to what they measured. Lengths of 1 to
// 180 minutes may be added and removed again; the standard list can be restored. A second tab takes
// two readings of the deck's counter, from which the label gives each track's counter at its start.
// OK checks the list (and the readings, when they are to be used) and keeps the window open with a
// message when something is wrong; cancel and the close box apply nothing. The window is modal and
// laid out with Qt layouts.

#include <QDialog>

#include <optional>
#include <vector>

#include "core/tape_lineup.h"
#include "core/tape_settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;

namespace vantoli {

class TapeLineup : public QDialog {
    Q_OBJECT
public:
    TapeLineup(const std::vector<TapeChoice>& choices, const std::optional<CounterSetting>& counter, QWidget* parent);
    TapeLineup(const std::vector<TapeChoice>& choices, QWidget* parent);

    // The list as the window shows it now.
    std::vector<TapeChoice> choices() const;
    // The counter as the Counter tab shows it; nothing when its readings cannot be read (nothing to keep).
    std::optional<CounterSetting> counter() const;

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
    // The tabs (the tapes, then the counter) and the Counter tab's controls: two readings, each a time
    // in m:ss and the counter then, whether the label uses them, and the fit they give or why none.
    QTabWidget* tabTapeLineup() const { return tabTapeLineup_; }
    QCheckBox* chkCounter() const { return chkCounter_; }
    QLineEdit* txtCounterTime1() const { return txtCounterTime1_; }
    QLineEdit* txtCounterCount1() const { return txtCounterCount1_; }
    QLineEdit* txtCounterTime2() const { return txtCounterTime2_; }
    QLineEdit* txtCounterCount2() const { return txtCounterCount2_; }
    QLabel* lblCounterFit() const { return lblCounterFit_; }

public slots:
    // Adds the length of TapeMinutes, owned, with the standard capacity, and selects it.
    void TapeAdd_Click();
    // Removes the selected length if the user added it; the standard lengths stay.
    void TapeRemove_Click();
    // Puts back the fourteen standard lengths, all owned, with their standard capacities.
    void TapeStandard_Click();
    // Checks the list and, when the counter is to be used, its readings: closes the window when they
    // are right, shows what is wrong otherwise.
    void TapeOK_Click();
    // Any of the four reading fields changed: shows the fit anew.
    void txtCounter_Change();

private:
    QWidget* tapesPage();
    QWidget* counterPage();
    std::optional<CounterReadings> shownReadings() const;
    bool readingsEmpty() const;
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
    QTabWidget* tabTapeLineup_ = nullptr;
    QCheckBox* chkCounter_ = nullptr;
    QLineEdit* txtCounterTime1_ = nullptr;
    QLineEdit* txtCounterCount1_ = nullptr;
    QLineEdit* txtCounterTime2_ = nullptr;
    QLineEdit* txtCounterCount2_ = nullptr;
    QLabel* lblCounterFit_ = nullptr;
};

}  // namespace vantoli
