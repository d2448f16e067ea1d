#include "forms/CGrid.h"

#include "app/CVelutraDoc.h"
#include "app/CommandIds.h"
#include "app/FileDialogs.h"
#include "app/FormHost.h"
#include "app/MessageSink.h"
#include "app/WaitCursor.h"
#include "files/ReplaceFile.h"
#include "grid/CGridCtrl.h"
#include "interchange/CoefficientFit.h"
#include "interchange/ShownMapCsv.h"
#include "record/CompressorRecord.h"
#include "record/RatingConditionsText.h"
#include "record/TextRules.h"

#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace velutra {

namespace {

constexpr int kGridRows = 17;
constexpr int kGridColumns = 9;
constexpr int kFirstCapacityRow = 3;
constexpr int kFirstPowerRow = 11;
constexpr GridColor kLabelBand = 0xD0D0D0;
// Amber (0x00BBGGRR): values the entered map does not vouch for.
constexpr GridColor kBeyondEnteredMap = 0x8CD6FF;

QString Formatted(double value) {
    return QString::fromStdString(FormatNumber(value, -1));
}

// The general number format with 15 significant digits: 1.0 shows as 1.
QString MultiplierText(double value) {
    return QLocale::c().toString(value, 'g', 15);
}

} // namespace

CGrid::CGrid(const FormContext& context, QWidget* parent)
    : FormView(context, kFormSmoothedMap, parent)
    , grid_(new CGridCtrl(this))
    , caption_(new QLabel(this))
    , refrigerant_(new QLabel(QStringLiteral("Refrigerant: R134a"), this))
    , units_(new QLabel(QStringLiteral("Units: Btu/hr and Watts"), this))
    , extrapolation_(new QLabel(this))
    , capacityField_(new QLineEdit(this))
    , powerField_(new QLineEdit(this))
    , eerField_(new QLineEdit(this))
    , update_(new QPushButton(QStringLiteral("Update"), this)) {
    // The map: a plain frame with the caption line across its top and the grid filling the rest.
    auto* mapFrame = new QFrame(this);
    mapFrame->setFrameShape(QFrame::Box);
    auto* mapLayout = new QVBoxLayout(mapFrame);
    mapLayout->setContentsMargins(1, 1, 1, 1);
    mapLayout->setSpacing(0);
    caption_->setAlignment(Qt::AlignCenter);
    mapLayout->addWidget(caption_);
    grid_->setAccessibleName(QStringLiteral("Smoothed map"));
    mapLayout->addWidget(grid_, 1);
    body_->addWidget(mapFrame, 1);

    // The labels read their visible text to a screen reader.
    auto* labels = new QHBoxLayout;
    labels->addWidget(refrigerant_);
    labels->addStretch(1);
    extrapolation_->setStyleSheet(QStringLiteral("background: #FFD68C; padding: 0 4px;"));
    extrapolation_->hide();
    labels->addWidget(extrapolation_);
    labels->addStretch(1);
    labels->addWidget(units_);
    body_->addLayout(labels);

    auto* adjust = new QGroupBox(QStringLiteral("Adjust Map"), this);
    auto* fields = new QGridLayout(adjust);
    const auto addField = [this, fields](int column, const QString& caption, QLineEdit* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        field->setAccessibleName(caption);
        fields->addWidget(label, 0, column);
        fields->addWidget(field, 1, column);
    };
    addField(0, QStringLiteral("Capacity multiplier"), capacityField_);
    addField(1, QStringLiteral("Power multiplier"), powerField_);
    update_->setAccessibleName(update_->text());
    fields->addWidget(update_, 1, 2);
    addField(3, QStringLiteral("Calculated EER"), eerField_);
    // Display-only: the EER is read, never typed; focus moves on to "Update".
    eerField_->setReadOnly(true);
    eerField_->installEventFilter(this);

    auto* commands = new QVBoxLayout;
    QPushButton* save = nullptr;
    QPushButton* back = nullptr;
    QPushButton* newRun = nullptr;
    for (auto [button, caption] : { std::pair { &save, "Save Compressor Map" },
             std::pair { &back, "<< Back" }, std::pair { &newRun, "New Run >>" } }) {
        *button = new QPushButton(QString::fromLatin1(caption), this);
        (*button)->setAccessibleName((*button)->text());
        commands->addWidget(*button);
    }
    auto* lower = new QHBoxLayout;
    lower->addWidget(adjust, 1);
    lower->addSpacing(24);
    lower->addLayout(commands);
    body_->addLayout(lower);

    connect(update_, &QPushButton::clicked, this, &CGrid::ApplyMultipliers);
    connect(save, &QPushButton::clicked, this, &CGrid::SaveAdjustedMap);
    connect(back, &QPushButton::clicked, this, &CGrid::OnBack);
    connect(newRun, &QPushButton::clicked, this, [this] { PostSwitch(kFormDescription); });
    setTabOrder(capacityField_, powerField_);
    setTabOrder(powerField_, update_);
}

bool CGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == eerField_ && event->type() == QEvent::FocusIn)
        update_->setFocus(Qt::OtherFocusReason);
    return FormView::eventFilter(watched, event);
}

bool CGrid::ReadControls() {
    // A multiplier that is not a number stops the read: it and the ones after it keep their values.
    for (auto [field, member] :
        { std::pair { capacityField_, &capacityMultiplier }, std::pair { powerField_, &powerMultiplier } }) {
        bool ok = false;
        const double value = QLocale::c().toDouble(field->text().trimmed(), &ok);
        if (!ok) {
            context_.messages.ShowError(QStringLiteral("Please enter a number."));
            field->setFocus(Qt::OtherFocusReason);
            field->selectAll();
            return false;
        }
        *member = value;
    }
    return true;
}

void CGrid::RefreshControls() {
    const QSignalBlocker blockCapacity(capacityField_);
    const QSignalBlocker blockPower(powerField_);
    capacityField_->setText(MultiplierText(capacityMultiplier));
    powerField_->setText(MultiplierText(powerMultiplier));
    caption_->setText(mapCaption);
    eerField_->setText(eerText);
}

void CGrid::ShowSetupError(const std::string& message) {
    context_.messages.ShowError(QStringLiteral("   %1   ").arg(QString::fromStdString(message)));
}

void CGrid::InitialUpdate() {
    CompressorRecord& record = context_.record;
    SetCaptionWithModel(QStringLiteral("Compressor Model: Smoothed Map"));
    if (const auto label = RefrigerantLabel(record))
        refrigerant_->setText(QString::fromStdString(*label));
    {
        WaitCursor wait;
        try {
            analysis_ = AnalyzeMap(context_.frame.Engine(), record);
        } catch (const std::exception& error) {
            ShowSetupError(error.what());
        }
    }
    // A converted map is saved as a compressor of the new refrigerant.
    savedRefrigerantIndex = record.refrigerantIndex;
    converted_ = BeginConversion(record);
    capacityMultiplier = powerMultiplier = 1.0;
    RefreshControls();
    mapCaption = QString::fromStdString(MapCaption(record.smoothingMethod, record.smoothAllTemps));
    RefreshControls();
    SetupMapGrid();
    if (record.smoothingMethod == 0)
        ShowEnteredMap();
    else
        ShowSmoothedMap();
    // A converted map is rated with the new refrigerant, as its table is computed.
    baseEER_ = analysis_.BaseEER();
    // The EER is always at the ASHRAE conditions; a map rated otherwise was re-rated there.
    eerField_->setToolTip(analysis_.ratingEERsRerated
            ? QStringLiteral(
                "At the ASHRAE rating point and conditions; the map, rated %1, was re-rated there")
                  .arg(QString::fromStdString(FormatRatingConditions(analysis_.rated)))
            : QStringLiteral("At the ASHRAE rating point and conditions"));
    eerField_->setAccessibleDescription(eerField_->toolTip());
    UpdateCalculatedEER();
    record.helpContext = kHelpSmoothedMap;
}

bool CGrid::SetupMapGrid() {
    const CompressorRecord& record = context_.record;
    grid_->editable = false;
    grid_->allowRowResize = false;
    grid_->allowColumnResize = false;
    grid_->textBackColor = 0xE0FFFF;
    grid_->fixedBackColor = 0xFFFFFF;
    try {
        grid_->SetRows(kGridRows);
        grid_->SetColumns(kGridColumns);
        grid_->SetFixedRows(kGridRows);
        grid_->SetFixedColumns(kGridColumns);
    } catch (const std::bad_alloc&) {
        context_.messages.ShowError(QStringLiteral("Out of memory."));
        return false;
    }
    CellUpdate blank;
    blank.mask = cellmask::kText | cellmask::kFormat;
    blank.format = cellformat::kWordBreak;
    for (blank.row = 0; blank.row < kGridRows; ++blank.row)
        for (blank.column = 0; blank.column < kGridColumns; ++blank.column)
            grid_->SetCell(blank);
    grid_->SetCellText(0, 0, QStringLiteral("Evap"));
    grid_->SetCellText(2, 0, QStringLiteral("Cond"));
    grid_->SetCellText(10, 0, QStringLiteral("Cond"));
    const bool english = record.unitsEnglish == 1;
    const auto label = [english](double t) { return QString::fromStdString(TemperatureLabel(t, english)); };
    if (record.smoothingMethod != 0) {
        for (int k = 0; k < SmoothedMap::kFixedColumns; ++k)
            grid_->SetCellText(0, k + 1, label(SmoothedMap::FixedEvapTemp(k, english)));
    } else {
        for (int c = 0; c < std::min(record.evapCount, kMaxEvap); ++c)
            grid_->SetCellText(0, c + 1, label(record.evapTemp[c]));
    }
    grid_->SetCellText(2, 4, QStringLiteral("Capacity"));
    grid_->SetCellText(10, 4, QStringLiteral("Power"));
    for (int r = 0; r < std::min(record.condCount, kMaxCond); ++r) {
        grid_->SetCellText(r + kFirstCapacityRow, 0, label(record.condTemp[r]));
        grid_->SetCellText(r + kFirstPowerRow, 0, label(record.condTemp[r]));
    }
    for (int c = 0; c < kGridColumns; ++c)
        grid_->SetCellBackColor(0, c, kLabelBand);
    for (int r = 1; r < kGridRows; ++r)
        grid_->SetCellBackColor(r, 0, kLabelBand);
    grid_->ExpandToFit();
    if (record.unitsSI == 1)
        units_->setText(QStringLiteral("Units: Kcal/hr and Watts"));
    return true;
}

void CGrid::ShowEnteredMap() {
    const CompressorRecord& record = context_.record;
    values_.TakeEnteredMap(record);
    for (int r = 0; r < std::min(record.condCount, kMaxCond); ++r)
        for (int c = 0; c < std::min(record.evapCount, kMaxEvap); ++c) {
            grid_->SetCellText(
                r + kFirstCapacityRow, c + 1, QString::fromStdString(record.capacityTextCopy[r][c]));
            grid_->SetCellText(r + kFirstPowerRow, c + 1, QString::fromStdString(record.powerTextCopy[r][c]));
        }
}

void CGrid::ShowSmoothedMap() {
    const CompressorRecord& record = context_.record;
    if (analysis_.smoothedMap) {
        values_ = analysis_.smoothedMap->map;
        ratingBeyond_ = analysis_.smoothedMap->ratingBeyondEnteredMap;
    }
    for (int r = 0; r < std::min(record.condCount, kMaxCond); ++r)
        for (int k = 0; k < SmoothedMap::kFixedColumns; ++k) {
            grid_->SetCellText(r + kFirstCapacityRow, k + 1, Formatted(values_.capacity[r][k]));
            grid_->SetCellText(r + kFirstPowerRow, k + 1, Formatted(values_.power[r][k]));
        }
    MarkValuesBeyondEnteredMap();
    if (!values_.failures.empty()) {
        const std::string where = DescribeFailures(values_.failures, record.unitsEnglish == 1 ? "F" : "C");
        context_.messages.ShowError(
            QStringLiteral("   Not every point of the smoothed map could be computed; "
                           "these points have no values:\n\n%1   ")
                .arg(QString::fromStdString(where)));
    }
}

void CGrid::ApplyMultipliers() {
    // A multiplier that is not a number leaves the previous ones in force; the update goes on.
    ReadControls();
    SetupMapGrid();
    const CompressorRecord& record = context_.record;
    const int columns = std::min(SmoothedMap::ColumnsShown(record), kMaxEvap);
    for (int r = 0; r < std::min(record.condCount, kMaxCond); ++r)
        for (int c = 0; c < columns; ++c) {
            grid_->SetCellText(
                r + kFirstCapacityRow, c + 1, Formatted(values_.capacity[r][c] * capacityMultiplier));
            grid_->SetCellText(r + kFirstPowerRow, c + 1, Formatted(values_.power[r][c] * powerMultiplier));
        }
    MarkValuesBeyondEnteredMap();
    grid_->viewport()->update();
    UpdateCalculatedEER();
}

// Capacity and power cells of a point beyond the entered map get the amber background, and the
// line under the map says how many there are.
void CGrid::MarkValuesBeyondEnteredMap() {
    const CompressorRecord& record = context_.record;
    if (record.smoothingMethod == 0)
        return; // the entered map itself
    const int rows = std::min(record.condCount, kMaxCond);
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < SmoothedMap::kFixedColumns; ++k) {
            const GridColor color = values_.beyondEnteredMap[r][k] ? kBeyondEnteredMap : kDefaultColor;
            grid_->SetCellBackColor(r + kFirstCapacityRow, k + 1, color);
            grid_->SetCellBackColor(r + kFirstPowerRow, k + 1, color);
        }
    const std::string text
        = ExtrapolationText(values_.BeyondCount(rows), rows * SmoothedMap::kFixedColumns, ratingBeyond_);
    extrapolation_->setText(QString::fromStdString(text));
    extrapolation_->setVisible(!text.empty());
}

void CGrid::UpdateCalculatedEER() {
    eerText = QString::fromStdString(CalculatedEERText(baseEER_, capacityMultiplier, powerMultiplier));
    RefreshControls();
}

void CGrid::SaveAdjustedMap() {
    // The fields are not read: the multipliers are those of the last "Update".
    WriteAdjustedMap(context_.record, values_, capacityMultiplier, powerMultiplier);
    context_.doc.SaveAs();
}

void CGrid::OnBack() {
    // The plot form analyses the entered map with the refrigerant it was measured with.
    context_.record.refrigerantIndex = savedRefrigerantIndex;
    PostSwitch(kFormPlots);
}

bool CGrid::HandlesCommand(int commandId) const {
    return commandId == kCmdSaveAs || commandId == kCmdExportTable || commandId == kCmdExportCsv
        || commandId == kCmdExportCoefficients || FormView::HandlesCommand(commandId);
}

void CGrid::OnSaveAs() {
    SaveAdjustedMap();
}

void CGrid::OnExportTable() {
    context_.doc.OnExportTable();
}

std::optional<QString> CGrid::AskExportPath(
    const QString& caption, const QString& filter, const QString& suffix) {
    FileDialogRequest request;
    request.caption = caption;
    request.folder = QString::fromStdString(context_.record.mapsDir);
    request.filter = filter;
    request.defaultSuffix = suffix;
    return context_.doc.Dialogs().SaveFile(request.Overwriting());
}

void CGrid::OnExportCsv() {
    const auto path = AskExportPath(QStringLiteral("Export CSV"),
        QStringLiteral("CSV maps (*.csv);;All Files (*.*)"), QStringLiteral("csv"));
    if (!path)
        return;
    try {
        ReplaceFileContents(QFile::encodeName(*path).toStdString(),
            EncodeShownMapCsv(context_.record, values_, capacityMultiplier, powerMultiplier));
    } catch (const std::exception& error) {
        context_.messages.ShowError(QStringLiteral("   %1   ").arg(QString::fromStdString(error.what())));
    }
}

// The polynomials describe the compressor of the entered map: its fits and the refrigerant it
// was measured with, in the units of the record's unit system.
void CGrid::OnExportCoefficients() {
    if (converted_) {
        context_.messages.ShowError(
            QStringLiteral("   Coefficients describe the map as measured; export them "
                           "before converting it to another refrigerant.   "));
        return;
    }
    const auto path = AskExportPath(QStringLiteral("Export Coefficients"),
        QStringLiteral("Coefficient files (*.json);;Coefficient tables (*.csv)"), QStringLiteral("json"));
    if (!path)
        return;
    const CompressorRecord& record = context_.record;
    const CoefficientUnits units
        = record.unitsEnglish == 1 ? CoefficientUnits::Ahri540 : CoefficientUnits::En12900;
    try {
        WaitCursor wait;
        CycleStateSource& engine = context_.frame.Engine();
        const AnalysisResult analysis = AnalyzeMap(engine, record, AnalysisExtent::EnteredMap);
        ExportCoefficients(engine, analysis, record, units, QFile::encodeName(*path).toStdString());
    } catch (const std::exception& error) {
        context_.messages.ShowError(QStringLiteral("   %1   ").arg(QString::fromStdString(error.what())));
    }
}

} // namespace velutra
