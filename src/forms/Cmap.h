#pragma once

#include "app/FormView.h"
#include "record/MapEntry.h"

class QGridLayout;
class QLabel;
class QLayout;
class QLineEdit;

namespace velutra {

class CountField;
class UpDownControl;

// The manufacturer's map entry form: up to 6 condensing by 8 evaporating temperatures, with a
// capacity block and a power block that share the temperature axes. Everything is held as the
// typed text; the record receives it on "<< Back" and "Next >>", and "Next >>" checks the
// temperatures and the cells before the analysis may start. A cell left empty in both blocks
// lies outside the operating envelope and is accepted.
class Cmap : public FormView {
    Q_OBJECT

public:
    explicit Cmap(const FormContext& context, QWidget* parent = nullptr);

    void InitialUpdate() override;

    void LoadMapForm();
    void UpdateCellEnabling();
    void StoreMapForm();
    // True when the stored temperatures pass; otherwise the reason has been shown.
    bool CheckTemperatures();
    // True when every cell in use is blank or holds a positive capacity and power; otherwise the
    // reason, naming the cell by its temperatures, has been shown.
    bool CheckCells();
    void ClearMapValues();

private:
    void CreateHeadings(QGridLayout* grid);
    void CreateFields(QGridLayout* grid);
    QLayout* CreateBottomLine();

    // The form's two data-exchange steps. A read fails (after the toolkit's prompt) only when a
    // count field does not hold a whole number; the fields read before it keep their values.
    bool ReadControls();
    void RefreshControls();

    void OnCondTempChanged(int row, int block);
    void OnRowsStepped(int direction);
    void OnColumnsStepped(int direction);
    void OnBack();
    void OnNext();

    MapEntry entry_;
    // Control notifications are dropped while the form reads or refreshes its controls.
    bool exchanging_ = false;

    QLabel* evapHeading_;
    QLabel* condHeading_;
    QLabel* capacityHeading_;
    QLabel* powerHeading_;
    QLineEdit* evapTemp_[kMaxEvap];
    QLineEdit* condTemp_[kMaxCond][2];
    QLineEdit* capacity_[kMaxCond][kMaxEvap];
    QLineEdit* power_[kMaxCond][kMaxEvap];
    CountField* rows_;
    CountField* columns_;
    UpDownControl* rowsUpDown_;
    UpDownControl* columnsUpDown_;
};

} // namespace velutra
