#pragma once

#include "analysis/MapAnalysis.h"
#include "app/FormView.h"

class QLabel;

namespace velutra {

// The graphic analysis form. Until its graph and option controls exist it runs the analysis of
// the entered map with the record's smoothing choices and shows the rating-point EERs, so that
// "Next >>" hands the smoothed-map form (and the table export) the analysed map.
class CPlot : public FormView {
    Q_OBJECT

public:
    explicit CPlot(const FormContext& context, QWidget* parent = nullptr);

    void InitialUpdate() override;

private:
    void OnBack();
    void OnNext();
    QString Summary() const;

    MapAnalysis analysis_;
    QLabel* summary_;
};

} // namespace velutra
