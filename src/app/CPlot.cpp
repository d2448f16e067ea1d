#include "app/CPlot.h"

#include "app/CommandIds.h"
#include "app/CompressorRecord.h"

#include <QLabel>

namespace velutra {

CPlot::CPlot(const FormContext& context, QWidget* parent)
    : FormView(context, kFormPlots, parent) {
    body_->addWidget(new QLabel(QStringLiteral("Graphic Analysis"), this), 1, Qt::AlignTop);
    AddNavigationButton(QStringLiteral("<< Back"), kFormMap);
    AddNavigationButton(QStringLiteral("Next >>"), kFormSmoothedMap);
}

void CPlot::InitialUpdate() {
    SetCaptionWithModel(QStringLiteral("Compressor Model: Graphic Analysis"));
    context_.record.helpContext = kHelpPlots;
}

} // namespace velutra
