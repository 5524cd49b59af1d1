#pragma once
// The cassette label window: the J-card of the last plan, with the tape's title, artist and a note,
// each side's tracks with titles to edit, a live preview of the card, and the commands that save it as
// PDF and print it.

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

#include "core/label_content.h"
#include "gui/single_window.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPrinter;
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

class CassetteLabel : public QWidget {
    Q_OBJECT
public:
    // Columns of tblSideA and tblSideB.
    enum Column { NumberColumn = 0, TitleColumn = 1, LengthColumn = 2, StartColumn = 3 };

    // The window deletes itself when it is closed, so that the next use loads it anew.
    CassetteLabel();
    ~CassetteLabel() override;

    // Shows the label of a plan. Titles typed for the same tracks of the plan shown before are kept,
    // and so are the tape's title and artist while the source stays the same, and the note.
    void setPlan(const MadePlan& made);

    // The label as the window shows it now, the user's changes included.
    LabelContent label() const;

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

public slots:
    // Asks for a file name and saves the card there as a PDF file of one A4 page.
    void cmdPdf_Click();
    // Opens the print dialog and prints the card on the chosen printer.
    void cmdPrint_Click();
    void cmdClose_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
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
    bool filling_ = false;               // the controls are being filled from a plan, not edited by the user
    QString folder_;                     // where the last PDF was saved
    std::unique_ptr<QPrinter> printer_;  // kept so that the print dialog offers the last choices again
};

// Shows the label of a plan in the program's one label window: loads the window if it is not open,
// otherwise gives the open one the new plan; then brings it to the front. Returns at once: the window
// is modeless.
CassetteLabel* showCassetteLabel(SingleWindow<CassetteLabel>& holder, const MadePlan& made);

}  // namespace vantoli
