#include "forms/CVelutraView.h"

#include "app/CVelutraDoc.h"
#include "app/CommandIds.h"
#include "app/FormHost.h"
#include "app/MessageSink.h"
#include "forms/CompressorPicture.h"
#include "forms/NumericEdit.h"
#include "forms/RefrigerantBox.h"
#include "props/CycleStateSource.h"
#include "record/CompressorRecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace velutra {

namespace {

constexpr int kBannerHeight = 60;
constexpr int kMargin = 10;

QLabel* CreateBanner(QWidget* parent) {
    auto* banner = new QLabel(QStringLiteral("Compressor Map Analysis"), parent);
    banner->setAutoFillBackground(true);
    QPalette palette = banner->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::blue);
    banner->setPalette(palette);
    QFont font = banner->font();
    font.setBold(true);
    font.setPixelSize(30);
    banner->setFont(font);
    banner->setAlignment(Qt::AlignCenter);
    banner->setGeometry(0, 0, FormView::kWidth, kBannerHeight);
    return banner;
}

template <typename Edit> Edit* CreateEdit(const QString& name, QWidget* parent) {
    auto* edit = new Edit(parent);
    edit->setAccessibleName(name);
    return edit;
}

void SetTextIfDifferent(QLineEdit* edit, const std::string& text) {
    // Setting the same text would still move the cursor to the end and clear the undo history.
    const QString value = QString::fromStdString(text);
    if (edit->text() != value)
        edit->setText(value);
}

} // namespace

CVelutraView::CVelutraView(const FormContext& context, QWidget* parent)
    : FormView(context, kFormDescription, parent) {
    // The banner spans the top of the form; the layout starts below it.
    CreateBanner(this);
    layout()->setContentsMargins(kMargin, kBannerHeight + kMargin, kMargin, kMargin);

    auto* top = new QHBoxLayout;
    top->addWidget(CreateDescriptionGroup(), 1);
    auto* picture = new CompressorPicture(this);
    picture->setAccessibleName(QStringLiteral("Picture of a hermetic refrigeration compressor"));
    top->addWidget(picture, 0, Qt::AlignTop);
    body_->addLayout(top);
    body_->addSpacing(12);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(CreateRatingGroup(), 1);
    bottom->addWidget(CreateConversionGroup(), 1);
    body_->addLayout(bottom);
    body_->addStretch(1);

    connect(AddButton(QStringLiteral("Next >>")), &QPushButton::clicked, this, &CVelutraView::OnNext);
    connect(english_, &QCheckBox::clicked, this, [this] { OnUnitsClicked(true); });
    connect(si_, &QCheckBox::clicked, this, [this] { OnUnitsClicked(false); });
    connect(convert_, &QCheckBox::clicked, this, &CVelutraView::OnConvertClicked);
}

QWidget* CVelutraView::CreateDescriptionGroup() {
    auto* group = new QGroupBox(QStringLiteral("Compressor Description"), this);
    auto* form = new QFormLayout(group);
    manufacturer_ = CreateEdit<QLineEdit>(QStringLiteral("Manufacturer"), group);
    model_ = CreateEdit<QLineEdit>(QStringLiteral("Model"), group);
    voltage_ = CreateEdit<NumericEdit>(QStringLiteral("Voltage"), group);
    speed_ = CreateEdit<NumericEdit>(QStringLiteral("Speed (rpm)"), group);
    refrigerant_ = new RefrigerantBox(QStringLiteral("Refrigerant"), group);
    form->addRow(QStringLiteral("Manufacturer"), manufacturer_);
    form->addRow(QStringLiteral("Model"), model_);
    form->addRow(QStringLiteral("Voltage"), voltage_);
    form->addRow(QStringLiteral("Speed (rpm)"), speed_);
    form->addRow(QStringLiteral("Refrigerant"), refrigerant_);
    english_ = new QCheckBox(QStringLiteral("English"), group);
    si_ = new QCheckBox(QStringLiteral("SI"), group);
    english_->setAccessibleName(english_->text());
    si_->setAccessibleName(si_->text());
    auto* units = new QHBoxLayout;
    units->addWidget(english_);
    units->addWidget(si_);
    units->addStretch(1);
    form->addRow(QStringLiteral("Units"), units);
    return group;
}

QWidget* CVelutraView::CreateRatingGroup() {
    auto* group = new QGroupBox(QStringLiteral("ASHRAE Rating Point Performance"), this);
    auto* form = new QFormLayout(group);
    capacity_ = CreateEdit<NumericEdit>(QStringLiteral("Capacity (Btuh)"), group);
    eer_ = CreateEdit<NumericEdit>(QStringLiteral("EER"), group);
    capacityLabel_ = new QLabel(QStringLiteral("Capacity (Btuh)"), group);
    capacityLabel_->setBuddy(capacity_);
    form->addRow(capacityLabel_, capacity_);
    form->addRow(QStringLiteral("EER"), eer_);
    return group;
}

QWidget* CVelutraView::CreateConversionGroup() {
    auto* group = new QGroupBox(QStringLiteral("Conversion to New Refrigerant"), this);
    auto* column = new QVBoxLayout(group);
    convert_ = new QCheckBox(QStringLiteral("Convert to new refrigerant"), group);
    convert_->setAccessibleName(convert_->text());
    newRefrigerant_ = new RefrigerantBox(QStringLiteral("New refrigerant"), group);
    column->addWidget(convert_);
    column->addWidget(newRefrigerant_);
    column->addStretch(1);
    return group;
}

void CVelutraView::InitialUpdate() {
    auto& record = context_.record;
    refrigerant_->SetCode(0);
    newRefrigerant_->SetCode(0);
    context_.frame.SetCaption(QStringLiteral("Compressor Model: Description"));
    LoadForm();
    record.mapsDir = QDir(QDir::currentPath()).filePath(QStringLiteral("Maps")).toStdString();
    if (record.firstUpdatePending == 1) {
        record.firstUpdatePending = 0;
        if (record.cmdLineFileGiven == 0) {
            context_.doc.OnNew();
            LoadForm();
        } else {
            context_.frame.SetCurrentFile(QString::fromStdString(record.cmdLineFile));
        }
    }
    record.reloadFormsFromRecord = 0;
    UpdateDisplay();
    record.helpContext = kHelpDescription;
}

void CVelutraView::OnNew() {
    context_.doc.OnNew();
    LoadForm();
}

// A cancelled or failed Open leaves the record as it was; reloading then would only throw
// away what was typed.
void CVelutraView::OnOpen() {
    context_.doc.OnOpen();
    if (context_.record.recordLoaded == 1)
        LoadForm();
}

void CVelutraView::AfterImport() {
    if (context_.record.reloadFormsFromRecord == 1)
        LoadForm();
}

void CVelutraView::showEvent(QShowEvent* event) {
    FormView::showEvent(event);
    // When the program shows the form; a window coming back from being minimised keeps what
    // was typed.
    if (!event->spontaneous())
        RefreshControls();
}

void CVelutraView::LoadForm() {
    const auto& record = context_.record;
    values_.LoadFrom(record);
    RefreshControls();
    // Both boxes show the map's refrigerant; a code outside the list leaves the selection.
    refrigerant_->SetCode(record.refrigerantIndex);
    newRefrigerant_->SetCode(record.refrigerantIndex);
    // The labels follow the loaded units at once (after New or a file read).
    UpdateDisplay();
}

void CVelutraView::StoreForm() {
    TakeControls();
    values_.StoreInto(context_.record, refrigerant_->Code(), newRefrigerant_->Code());
}

void CVelutraView::TakeControls() {
    values_.manufacturer = manufacturer_->text().toStdString();
    values_.model = model_->text().toStdString();
    values_.voltageText = voltage_->text().toStdString();
    values_.speedText = speed_->text().toStdString();
    values_.ratingCapacityText = capacity_->text().toStdString();
    values_.ratingEERText = eer_->text().toStdString();
    values_.unitsEnglish = english_->isChecked() ? 1 : 0;
    values_.unitsSI = si_->isChecked() ? 1 : 0;
    values_.convertRefrigerant = convert_->isChecked() ? 1 : 0;
}

void CVelutraView::RefreshControls() {
    SetTextIfDifferent(manufacturer_, values_.manufacturer);
    SetTextIfDifferent(model_, values_.model);
    SetTextIfDifferent(voltage_, values_.voltageText);
    SetTextIfDifferent(speed_, values_.speedText);
    SetTextIfDifferent(capacity_, values_.ratingCapacityText);
    SetTextIfDifferent(eer_, values_.ratingEERText);
    english_->setChecked(values_.unitsEnglish == 1);
    si_->setChecked(values_.unitsSI == 1);
    convert_->setChecked(values_.convertRefrigerant == 1);
}

void CVelutraView::UpdateDisplay() {
    const QString caption
        = values_.unitsEnglish == 1 ? QStringLiteral("Capacity (Btuh)") : QStringLiteral("Capacity (Kcalh)");
    capacityLabel_->setText(caption);
    capacity_->setAccessibleName(caption);
    newRefrigerant_->setEnabled(values_.convertRefrigerant == 1);
}

// What was typed since the values were last taken is replaced by them, as the unit choice
// refreshes every control; the record is not touched until "Next >>".
void CVelutraView::OnUnitsClicked(bool english) {
    values_.ChooseUnits(english);
    RefreshControls();
    UpdateDisplay();
}

void CVelutraView::OnConvertClicked() {
    TakeControls();
    UpdateDisplay();
}

void CVelutraView::OnNext() {
    auto& record = context_.record;
    StoreForm();
    ApplyPendingDefaultAxes(record);
    const SetupResult setup = context_.frame.Engine().SetupFluid(record.refrigerantIndex);
    if (!setup.ok) {
        // Without properties no map can be analysed: the user stays here to choose again.
        context_.messages.ShowError(QStringLiteral("   %1   ").arg(QString::fromStdString(setup.message)));
        return;
    }
    PostSwitch(kFormMap);
}

} // namespace velutra
