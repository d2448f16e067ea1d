#include "forms/CPlot.h"

#include "analysis/SmoothingMethods.h"
#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "app/MessageSink.h"
#include "app/WaitCursor.h"
#include "props/PropertyEngine.h"
#include "record/CompressorRecord.h"
#include "record/TextRules.h"

#include <QLabel>
#include <QPushButton>

namespace velutra {

CPlot::CPlot(const FormContext& context, QWidget* parent)
    : FormView(context, kFormPlots, parent)
    , analysis_(context.frame.Engine(), context.record)
    , summary_(new QLabel(this)) {
    summary_->setAccessibleName(QStringLiteral("Analysis summary"));
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    body_->addWidget(summary_, 1, Qt::AlignTop);
    connect(AddButton(QStringLiteral("<< Back")), &QPushButton::clicked, this, &CPlot::OnBack);
    connect(AddButton(QStringLiteral("Next >>")), &QPushButton::clicked, this, &CPlot::OnNext);
}

void CPlot::InitialUpdate() {
    SetCaptionWithModel(QStringLiteral("Compressor Model: Graphic Analysis"));
    {
        WaitCursor wait;
        analysis_.Run();
    }
    summary_->setText(Summary());
    context_.record.helpContext = kHelpPlots;
    const std::string failures = FailureMessage(analysis_.Failures(), analysis_.TemperatureUnit());
    if (!failures.empty())
        context_.messages.ShowError(QStringLiteral("   %1   ").arg(QString::fromStdString(failures)));
}

void CPlot::OnBack() {
    analysis_.SaveOptionsToRecord();
    PostSwitch(kFormMap);
}

void CPlot::OnNext() {
    analysis_.StoreResultsInRecord();
    analysis_.SaveOptionsToRecord();
    PostSwitch(kFormSmoothedMap);
}

QString CPlot::Summary() const {
    const CompressorRecord& record = context_.record;
    const int method = analysis_.smoothingMethod;
    const auto number = [](double value) { return QString::fromStdString(FormatNumber(value, -2)); };
    QString text = QStringLiteral("Graphic Analysis\n\nRefrigerant: %1\nMap: %2\nValid points: %3\n\n")
                       .arg(QString::fromLatin1(record.refrigerantIndex >= 0 && record.refrigerantIndex < 6
                                    ? kRefrigerantNames[static_cast<size_t>(record.refrigerantIndex)]
                                    : "none"),
                           QString::fromLatin1(SmoothingMethodTitle(method)))
                       .arg(analysis_.validCount);
    text += record.mapRatingEER != 0.0
        ? QStringLiteral("EER at the rating point from the map: %1 Btu/h per W\n")
              .arg(number(record.mapRatingEER))
        : QStringLiteral("The map does not reach the rating point (-10 F / 130 F).\n");
    if (method != 0)
        text += QStringLiteral("EER at the rating point from the fits: %1 Btu/h per W\n")
                    .arg(number(record.smoothedRatingEER));
    return text;
}

} // namespace velutra
