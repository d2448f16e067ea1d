#pragma once

#include "analysis/Analysis.h"
#include "app/FormView.h"

#include <set>
#include <string>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;

namespace velutra {

class GraphControl;

// The graphic analysis form: the map as capacity or power curves, or its efficiencies against
// the pressure ratio, and the choice of how the map is smoothed before it goes on to the
// smoothed-map form. The numbers are those of the analysis; the form only chooses its options,
// shows its result and feeds the graph.
class CPlot : public FormView {
    Q_OBJECT

public:
    explicit CPlot(const FormContext& context, QWidget* parent = nullptr);

    void InitialUpdate() override;
    bool HandlesCommand(int commandId) const override;
    void OnExportPlot() override;

    // Configures the graph for the current plot type and feeds it the current map.
    void DrawPlot();
    // Copies the plot and smoothing choices into the record.
    void SaveFormOptions();

    GraphControl* Graph() const { return graph_; }

private:
    void LoadForm();
    void StoreForm();
    void OnPlotType(int type);
    void OnSmoothingMethod(int method);
    void OnSmoothingScope(bool eachCondTemp);
    // The analysis of the record's map with the form's choices, shown.
    void Smooth();
    void Analyze();
    void Show();
    // Shows in one message what could not be computed and was not shown before.
    void ReportNewFailures();
    void OnBack();
    void OnNext();

    // The form's choices, mirrors of the record's fields of the same names until stored.
    int plotType_ = 0;
    int smoothingMethod_ = 0;
    int smoothAllTemps_ = 1;
    int smoothEachCondTemp_ = 0;
    AnalysisResult result_;
    QButtonGroup* plotTypes_;
    QButtonGroup* methods_;
    QCheckBox* allTemps_;
    QCheckBox* eachCondTemp_;
    QLabel* quality_;
    QFrame* graphFrame_;
    GraphControl* graph_ = nullptr;
    std::set<std::string> shownFailures_;
};

} // namespace velutra
