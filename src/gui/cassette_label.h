#pragma once
// The cassette label window: the J-card of the last plan, with the tape's title, artist and a note,
// each side's tracks with titles to edit, a live preview of the card, and the commands that save it as
// PDF and print it.

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

#include "core/label_content.h"
#include "core/tape_document.h"
#include "gui/print_session.h"
#include "gui/single_window.h"

class QCloseEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vantoli {

// The card as it will be printed, scaled to fit the widget.
class JCardPreview : public QWidget {
    Q_OBJECT
public:
    explicit JCardPreview(QWidget* parent = nullptr);

    void setLabel(const LabelContent& label);
    const LabelContent& label() const { return label_; }

    // Where the card lies in the widget, in its pixels, and how many of them make a millimetre.
    QPointF cardTopLeft() const;
    double pixelsPerMm() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LabelContent label_;
};

// What the user typed over a label: the label as its plan filled it in, and as the user left it. The
// main window keeps it while the label window is closed, so that the window opens again with it.
struct LabelEdits {
    LabelContent filled;
    LabelContent typed;
};

class CassetteLabel : public QWidget {
    Q_OBJECT
public:
    // Columns of tblSideA and tblSideB.
    enum Column { NumberColumn = 0, TitleColumn = 1, LengthColumn = 2, StartColumn = 3, CounterColumn = 4 };

    // The window deletes itself when it is closed, so that the next use loads it anew.
    CassetteLabel();
    ~CassetteLabel() override;

    // Shows the label of a plan. Titles typed for the same tracks of the plan shown before are kept,
    // and so are the tape's title and artist while the source stays the same, and the note.
    void setPlan(const MadePlan& made);

    // The label as the window shows it now, the user's changes included, with each track's counter
    // reading when a calibration is in use.
    LabelContent label() const;

    // The deck's counter the label gives readings of (the Counter column of the tables and the card);
    // nothing shows none. Changes no text the user typed.
    void setCounter(const std::optional<CounterCalibration>& calibration);

    // Sizes the window to its preferred size, or smaller where the screen has less room, and puts it in
    // the middle of `owner` (the screen's middle without one), wholly inside the screen's available
    // area: the area without panels and docks, with room for a frame as wide as the owner's.
    void placeOnScreen(const QWidget* owner);

    // The label as its plan filled it in, and as the window shows it now.
    LabelEdits edits() const;
    // Takes up what was typed over an earlier label window, as if this window had shown it: the next
    // setPlan keeps of it what it keeps of the plan shown before.
    void restoreEdits(const LabelEdits& edits);
    // What the user typed over the label the plan filled in, and putting such texts back (a tape
    // opened again). Without a plan there are none.
    std::optional<LabelTexts> texts() const;
    void setTexts(const LabelTexts& texts);

    // The controls, by their names.
    QLineEdit* txtTitle() const { return txtTitle_; }
    QLineEdit* txtArtist() const { return txtArtist_; }
    QLineEdit* txtNote() const { return txtNote_; }
    QTableWidget* tblSideA() const { return tblSideA_; }
    QTableWidget* tblSideB() const { return tblSideB_; }
    QLabel* lblSideATotal() const { return lblSideATotal_; }
    QLabel* lblSideBTotal() const { return lblSideBTotal_; }
    JCardPreview* picPreview() const { return picPreview_; }
    QPushButton* cmdPdf() const { return cmdPdf_; }
    QPushButton* cmdPrint() const { return cmdPrint_; }
    QPushButton* cmdClose() const { return cmdClose_; }

signals:
    // The window is closing, with what the user typed over its label.
    void closing(const vantoli::LabelEdits& edits);
    // The user changed a text of the label.
    void edited();

public slots:
    // Asks for a file name and saves the card there as a PDF file of one A4 page.
    void cmdPdf_Click();
    // Opens the print dialog and prints the card on the chosen printer.
    void cmdPrint_Click();
    void cmdClose_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fill(const LabelContent& label);
    void fillSide(QTableWidget* table, QLabel* total, const LabelSide& side);
    void updatePreview();
    QString suggestedFileName() const;

    QLineEdit* txtTitle_ = nullptr;
    QLineEdit* txtArtist_ = nullptr;
    QLineEdit* txtNote_ = nullptr;
    QTableWidget* tblSideA_ = nullptr;
    QTableWidget* tblSideB_ = nullptr;
    QLabel* lblSideATotal_ = nullptr;
    QLabel* lblSideBTotal_ = nullptr;
    JCardPreview* picPreview_ = nullptr;
    QPushButton* cmdPdf_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    QPushButton* cmdClose_ = nullptr;

    LabelContent prefilled_;  // the label of the plan shown, as the plan filled it in
    bool hasPlan_ = false;
    std::optional<CounterCalibration> counter_;
    bool filling_ = false;               // the controls are being filled from a plan, not edited by the user
    QString folder_;                     // where the last PDF was saved
    std::unique_ptr<PrintSession> printer_;  // kept so that the print dialog offers the last choices again
};

// Shows the label of a plan in the program's one label window: loads the window if it is not open,
// otherwise gives the open one the new plan; then brings it to the front. A window loaded anew takes up
// `earlier`, what was typed over the window last closed, and the counter kept in the settings file,
// and is placed over `owner` (placeOnScreen).
// Returns at once: the window is modeless.
CassetteLabel* showCassetteLabel(SingleWindow<CassetteLabel>& holder, const MadePlan& made,
                                 const std::optional<LabelEdits>& earlier = std::nullopt,
                                 const QWidget* owner = nullptr);

}  // namespace vantoli
