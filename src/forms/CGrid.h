#pragma once

#include "analysis/Analysis.h"
#include "analysis/SmoothedMap.h"
#include "app/FormView.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velutra {

class CGridCtrl;

// The smoothed-map form: the entered map, or the map rebuilt from the fits at fixed evaporating
// temperatures (for the conversion target when a conversion was asked for), shown read-only in
// the grid; two multipliers scale capacities and powers ("Update"), the rating-point EER follows
// them, and "Save Compressor Map" saves the adjusted map. It is the one form that serves Save As
// and the table export.
class CGrid : public FormView {
    Q_OBJECT

public:
    explicit CGrid(const FormContext& context, QWidget* parent = nullptr);

    void InitialUpdate() override;
    bool HandlesCommand(int commandId) const override;
    void OnSaveAs() override;
    void OnExportTable() override;
    void OnExportCsv() override;
    void OnExportCoefficients() override;

    // Sizes, clears and labels the grid; false when the grid could not allocate its cells.
    bool SetupMapGrid();
    void ShowEnteredMap();
    void ShowSmoothedMap();
    // "Update": reads the multipliers and shows the scaled map and EER.
    void ApplyMultipliers();
    void UpdateCalculatedEER();
    // "Save Compressor Map" and Save As, with the multipliers of the last "Update".
    void SaveAdjustedMap();

    CGridCtrl* Grid() const { return grid_; }
    const SmoothedMap& Values() const { return values_; }

    double capacityMultiplier = 1.0;
    double powerMultiplier = 1.0;
    QString mapCaption;
    QString eerText;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The two whole-form steps: controls into the members (false when a multiplier is not a
    // number; the read stops there) and members into the controls.
    bool ReadControls();
    void RefreshControls();
    void OnBack();
    void ShowSetupError(const std::string& message);
    void MarkValuesBeyondEnteredMap();
    std::optional<QString> AskExportPath(
        const QString& caption, const QString& filter, const QString& suffix);

    // The analysis of the record's map; its smoothed map is the one shown.
    AnalysisResult analysis_;
    SmoothedMap values_;
    // The rating-point EER the multipliers scale.
    double baseEER_ = 0;
    int savedRefrigerantIndex = 0;
    bool converted_ = false;
    bool ratingBeyond_ = false;
    CGridCtrl* grid_;
    QLabel* caption_;
    QLabel* refrigerant_;
    QLabel* units_;
    // Its text is what a screen reader reads.
    QLabel* extrapolation_;
    QLineEdit* capacityField_;
    QLineEdit* powerField_;
    QLineEdit* eerField_;
    QPushButton* update_;
};

} // namespace velutra
