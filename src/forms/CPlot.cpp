#include "forms/CPlot.h"

#include "analysis/FitQualityText.h"
#include "analysis/PlotData.h"
#include "analysis/SmoothingMethods.h"
#include "app/CVelutraDoc.h"
#include "app/CommandIds.h"
#include "app/FileDialogs.h"
#include "app/FormHost.h"
#include "app/MessageSink.h"
#include "app/WaitCursor.h"
#include "forms/GraphControl.h"
#include "record/CompressorRecord.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <utility>

namespace velutra {

namespace {

QRadioButton* AddRadio(QButtonGroup* group, QVBoxLayout* layout, const QString& caption, int id) {
    auto* radio = new QRadioButton(caption);
    radio->setAccessibleName(caption);
    group->addButton(radio, id);
    layout->addWidget(radio);
    return radio;
}

QCheckBox* AddCheckBox(QVBoxLayout* layout, const QString& caption) {
    auto* box = new QCheckBox(caption);
    box->setAccessibleName(caption);
    layout->addWidget(box);
    return box;
}

} // namespace

CPlot::CPlot(const FormContext& context, QWidget* parent)
    : FormView(context, kFormPlots, parent)
    , plotTypes_(new QButtonGroup(this))
    , methods_(new QButtonGroup(this)) {
    auto* banner = new QLabel(QStringLiteral("Graphic Analysis"), this);
    banner->setStyleSheet(
        QStringLiteral("background: white; color: blue; font-weight: bold; font-size: 24pt;"));
    banner->setFixedHeight(60);
    body_->addWidget(banner);

    auto* middle = new QHBoxLayout;
    body_->addLayout(middle, 1);
    // The graph goes one pixel inside this frame when the form is initialised.
    graphFrame_ = new QFrame(this);
    graphFrame_->setFrameShape(QFrame::Box);
    auto* frameLayout = new QVBoxLayout(graphFrame_);
    frameLayout->setContentsMargins(1, 1, 1, 1);
    middle->addWidget(graphFrame_, 1);

    auto* options = new QVBoxLayout;
    middle->addLayout(options);
    auto* typeBox = new QGroupBox(QStringLiteral("Plot Type"), this);
    auto* typeLayout = new QVBoxLayout(typeBox);
    const QString typeCaptions[]
        = { QStringLiteral("Compressor capacity"), QStringLiteral("Compressor power"),
              QStringLiteral("Isentropic efficiency"), QStringLiteral("Volumetric efficiency") };
    for (int type = 0; type < 4; ++type)
        AddRadio(plotTypes_, typeLayout, typeCaptions[type], type);
    options->addWidget(typeBox);

    auto* optionBox = new QGroupBox(QStringLiteral("Option"), this);
    auto* optionLayout = new QVBoxLayout(optionBox);
    for (int method = 0; method < static_cast<int>(kSmoothingMethods.size()); ++method) {
        const QString title = QString::fromLatin1(SmoothingMethodTitle(method));
        // The note's star marks the methods that smooth the suction flow by the line.
        const bool byLine = method == kSmoothingLinear || method == kSmoothingQuadratic;
        AddRadio(methods_, optionLayout, byLine ? title + QStringLiteral(" *") : title, method);
    }
    optionLayout->addSpacing(6);
    allTemps_ = AddCheckBox(optionLayout, QStringLiteral("Smoothing for all temperatures"));
    eachCondTemp_ = AddCheckBox(optionLayout, QStringLiteral("Smoothing for each condenser temperature"));
    options->addWidget(optionBox);
    auto* note = new QLabel(QStringLiteral("* Linear smoothing of volumetric efficiency performed"), this);
    note->setWordWrap(true);
    options->addWidget(note);
    // Its text is what a screen reader reads: no accessible name hides the figures.
    quality_ = new QLabel(this);
    quality_->setWordWrap(true);
    options->addWidget(quality_);
    options->addStretch(1);

    // Toggles rather than clicks, so that a screen reader's toggle action works as a click does.
    connect(plotTypes_, &QButtonGroup::idToggled, this, [this](int type, bool checked) {
        if (checked)
            OnPlotType(type);
    });
    connect(methods_, &QButtonGroup::idToggled, this, [this](int method, bool checked) {
        if (checked)
            OnSmoothingMethod(method);
    });
    // A click on a ticked box clears it, which the pair's handler ticks again.
    connect(allTemps_, &QCheckBox::toggled, this, [this] { OnSmoothingScope(false); });
    connect(eachCondTemp_, &QCheckBox::toggled, this, [this] { OnSmoothingScope(true); });
    connect(AddButton(QStringLiteral("<< Back")), &QPushButton::clicked, this, &CPlot::OnBack);
    connect(AddButton(QStringLiteral("Next >>")), &QPushButton::clicked, this, &CPlot::OnNext);
}

void CPlot::InitialUpdate() {
    SetCaptionWithModel(QStringLiteral("Compressor Model: Graphic Analysis"));
    const CompressorRecord& record = context_.record;
    plotType_ = record.plotType;
    smoothingMethod_ = record.smoothingMethod;
    smoothAllTemps_ = record.smoothAllTemps;
    smoothEachCondTemp_ = record.smoothEachCondTemp;
    LoadForm();
    Analyze();
    // A map edited since the two-variable fit was chosen may no longer carry it.
    if (smoothingMethod_ == kSmoothingTwoVariable && !result_.twoVariableRefusal.empty()) {
        context_.messages.ShowError(
            QStringLiteral("   %1   ").arg(QString::fromStdString(result_.twoVariableRefusal)));
        smoothingMethod_ = result_.originalMapAvailable ? kSmoothingOriginal : kSmoothingLinear;
        Analyze();
    }
    graph_ = new GraphControl(graphFrame_);
    graphFrame_->layout()->addWidget(graph_);
    Show();
    context_.record.helpContext = kHelpPlots;
}

bool CPlot::HandlesCommand(int commandId) const {
    return commandId == kCmdExportPlot || FormView::HandlesCommand(commandId);
}

// Refreshes the controls from the steering members. A pending refrigerant conversion leaves no
// original map to show.
void CPlot::LoadForm() {
    const QSignalBlocker typeBlocker(plotTypes_);
    const QSignalBlocker methodBlocker(methods_);
    const QSignalBlocker allBlocker(allTemps_);
    const QSignalBlocker eachBlocker(eachCondTemp_);
    // A group whose value matches none of its buttons shows none ticked, which an exclusive
    // group does not allow.
    for (auto [group, value] :
        { std::pair { plotTypes_, plotType_ }, std::pair { methods_, smoothingMethod_ } }) {
        group->setExclusive(false);
        for (QAbstractButton* button : group->buttons())
            button->setChecked(group->id(button) == value);
        group->setExclusive(group->checkedButton() != nullptr);
    }
    methods_->button(0)->setEnabled(result_.originalMapAvailable);
    allTemps_->setChecked(smoothAllTemps_ != 0);
    eachCondTemp_->setChecked(smoothEachCondTemp_ != 0);
    // The two-variable fit always takes every valid point: the scope does not apply.
    const bool scoped = smoothingMethod_ != kSmoothingTwoVariable;
    allTemps_->setEnabled(scoped);
    eachCondTemp_->setEnabled(scoped);
}

void CPlot::StoreForm() {
    if (plotTypes_->checkedId() >= 0)
        plotType_ = plotTypes_->checkedId();
    if (methods_->checkedId() >= 0)
        smoothingMethod_ = methods_->checkedId();
    smoothAllTemps_ = allTemps_->isChecked() ? 1 : 0;
    smoothEachCondTemp_ = eachCondTemp_->isChecked() ? 1 : 0;
}

void CPlot::SaveFormOptions() {
    StoreForm();
    CompressorRecord& record = context_.record;
    record.smoothingMethod = smoothingMethod_;
    record.smoothEachCondTemp = smoothEachCondTemp_;
    record.smoothAllTemps = smoothAllTemps_;
    record.plotType = plotType_;
}

void CPlot::OnPlotType(int type) {
    plotType_ = type;
    LoadForm();
    DrawPlot();
}

void CPlot::OnSmoothingMethod(int method) {
    const std::string refusal = method == kSmoothingTwoVariable ? result_.twoVariableRefusal : std::string();
    if (!refusal.empty()) {
        LoadForm(); // the method in force stays ticked
        context_.messages.ShowError(QStringLiteral("   %1   ").arg(QString::fromStdString(refusal)));
        return;
    }
    smoothingMethod_ = method;
    LoadForm();
    Smooth();
}

// The two boxes act as a pair: a click ticks the one clicked, also when it was ticked already.
void CPlot::OnSmoothingScope(bool eachCondTemp) {
    smoothEachCondTemp_ = eachCondTemp ? 1 : 0;
    smoothAllTemps_ = eachCondTemp ? 0 : 1;
    LoadForm();
    Smooth();
}

void CPlot::Analyze() {
    CompressorRecord working = context_.record;
    working.smoothingMethod = smoothingMethod_;
    working.smoothAllTemps = smoothAllTemps_;
    working.smoothEachCondTemp = smoothEachCondTemp_;
    WaitCursor wait;
    try {
        result_ = AnalyzeMap(context_.frame.Engine(), working, AnalysisExtent::EnteredMap);
    } catch (const std::exception& error) {
        context_.messages.ShowError(QStringLiteral("   %1   ").arg(QString::fromStdString(error.what())));
    }
    // A pending conversion turns the original map data into the linear fits.
    smoothingMethod_ = result_.smoothingMethod;
    // The rating-point EERs are the record's as soon as they are known.
    context_.record.mapRatingEER = result_.mapRatingEER;
    if (smoothingMethod_ != kSmoothingOriginal)
        context_.record.smoothedRatingEER = result_.smoothedRatingEER;
}

void CPlot::Smooth() {
    Analyze();
    Show();
}

void CPlot::Show() {
    LoadForm();
    DrawPlot();
    quality_->setText(QString::fromStdString(FitQualityText(result_.smoothingMethod, result_.quality)));
    ReportNewFailures();
}

void CPlot::ReportNewFailures() {
    const char* unit = result_.TemperatureUnit();
    std::vector<AnalysisFailure> fresh;
    for (const AnalysisFailure& failure : result_.failures)
        if (shownFailures_.insert(failure.Describe(unit)).second)
            fresh.push_back(failure);
    if (!fresh.empty())
        context_.messages.ShowError(
            QStringLiteral("   %1   ").arg(QString::fromStdString(FailureMessage(fresh, unit))));
}

void CPlot::DrawPlot() {
    GraphControl& graph = *graph_;
    graph.ResetData();
    const int type = plotType_;
    if (type < 0 || type > 3) {
        graph.Draw();
        graph.setAccessibleDescription(QStringLiteral("No plot"));
        return;
    }

    PlotData plot;
    if (type <= 1) {
        plot = MapCurves(result_, context_.record, static_cast<PlotType>(type));
    } else {
        plot = EfficiencyPoints(result_, static_cast<PlotType>(type));
    }
    graph.SetSetCount(plot.sets);
    graph.SetPointCount(plot.points);
    graph.SetType(
        plot.kind == GraphKind::Points ? GraphControl::Type::Points : GraphControl::Type::LinesWithMarkers);
    graph.SetBottomTitle(QString::fromStdString(plot.bottomTitle));
    graph.SetLeftTitle(QString::fromStdString(plot.leftTitle));
    graph.SetYAxis({ plot.yAxis.minimum, plot.yAxis.maximum, plot.yAxis.ticks });
    graph.SetXAxis({ plot.xAxis.minimum, plot.xAxis.maximum, plot.xAxis.ticks });
    const int points = graph.PointCount();
    graph.FeedXPositions(plot.x, points);
    graph.FeedData(plot.values, plot.sets, points);
    graph.SetLegendVisible(true);
    if (plot.kind == GraphKind::LinesWithMarkers) {
        graph.SetLegendHeading(QStringLiteral("Condensing (%1)").arg(result_.TemperatureUnit()));
        for (int k = 0; k < kPlotSets; ++k) {
            graph.SetColour(k, kSetColours[static_cast<size_t>(k)]);
            graph.SetLegendText(k, QString::fromStdString(plot.legend[static_cast<size_t>(k)]));
        }
    } else {
        graph.SetLegendHeading(QStringLiteral("Map"));
        graph.SetColour(0, kSetColours[0]);
        graph.SetLegendText(0, QString::fromStdString(plot.legend[0]));
    }
    graph.Draw();
    graph.setAccessibleDescription(QString::fromStdString(PlotDescription(plot)));
}

void CPlot::OnBack() {
    SaveFormOptions();
    PostSwitch(kFormMap);
}

void CPlot::OnNext() {
    StoreResultsInRecord(result_, context_.record);
    SaveFormOptions();
    PostSwitch(kFormSmoothedMap);
}

void CPlot::OnExportPlot() {
    FileDialogRequest request;
    request.caption = QStringLiteral("Export Plot");
    request.folder = QString::fromStdString(context_.record.mapsDir);
    request.filter = QStringLiteral("PNG images (*.png);;SVG drawings (*.svg)");
    request.defaultSuffix = QStringLiteral("png");
    const auto path = context_.doc.Dialogs().SaveFile(request.Overwriting());
    if (!path)
        return;
    QString error;
    {
        WaitCursor wait;
        error = graph_->Export(*path);
    }
    if (!error.isEmpty())
        context_.messages.ShowError(QStringLiteral("   The plot could not be written to %1: %2.   ")
                                        .arg(QDir::toNativeSeparators(*path), error));
}

} // namespace velutra
