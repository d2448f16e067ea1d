#include "forms/Cmap.h"

#include "app/CommandIds.h"
#include "app/MessageSink.h"
#include "forms/CountField.h"
#include "forms/UpDownControl.h"
#include "record/CompressorRecord.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velutra {

namespace {

// Grid rows of the form: headings, the evaporating temperatures, then the two blocks.
constexpr int kEvapRow = 1;
constexpr int kCapacityHeadingRow = 2;
constexpr int kCapacityFirstRow = 3;
constexpr int kPowerHeadingRow = kCapacityFirstRow + kMaxCond;
constexpr int kPowerFirstRow = kPowerHeadingRow + 1;

// A heading whose line of hyphens runs beyond the form is cut at the form's edge instead of
// widening it. Screen readers hear the words without the hyphens.
QLabel* CreateHeading(Qt::Alignment alignment, QWidget* parent) {
    auto* heading = new QLabel(parent);
    heading->setAlignment(alignment);
    heading->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return heading;
}

void SetHeading(QLabel* heading, const std::string& text) {
    const QString value = QString::fromStdString(text);
    heading->setText(value);
    QString words = value;
    words.remove(u'-');
    heading->setAccessibleName(words.simplified());
}

QLineEdit* CreateField(const QString& name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setAccessibleName(name);
    field->setMinimumWidth(40);
    return field;
}

void Refresh(QLineEdit* field, const std::string& text) {
    // Setting the same text would move the cursor of the field being typed into to its end.
    const QString value = QString::fromStdString(text);
    if (field->text() != value)
        field->setText(value);
}

std::string Read(const QLineEdit* field) {
    return field->text().toStdString();
}

} // namespace

Cmap::Cmap(const FormContext& context, QWidget* parent)
    : FormView(context, kFormMap, parent) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(6);
    CreateHeadings(grid);
    CreateFields(grid);
    body_->addLayout(grid);
    body_->addStretch(1);
    body_->addLayout(CreateBottomLine());
    // The layout's headings are those of English units; LoadMapForm replaces them in SI.
    SetHeading(evapHeading_, EvapHeading(false));
    SetHeading(condHeading_, CondHeading(false));
    SetHeading(capacityHeading_, CapacityHeading(false));
    SetHeading(powerHeading_, PowerHeading());
}

void Cmap::CreateHeadings(QGridLayout* grid) {
    condHeading_ = new QLabel(this);
    evapHeading_ = CreateHeading(Qt::AlignLeft | Qt::AlignBottom, this);
    capacityHeading_ = CreateHeading(Qt::AlignCenter, this);
    powerHeading_ = CreateHeading(Qt::AlignCenter, this);
    grid->addWidget(condHeading_, 0, 0, Qt::AlignLeft | Qt::AlignBottom);
    grid->addWidget(evapHeading_, 0, 1, 1, kMaxEvap);
    grid->addWidget(capacityHeading_, kCapacityHeadingRow, 0, 1, kMaxEvap + 1);
    grid->addWidget(powerHeading_, kPowerHeadingRow, 0, 1, kMaxEvap + 1);
}

void Cmap::CreateFields(QGridLayout* grid) {
    for (int c = 0; c < kMaxEvap; ++c) {
        evapTemp_[c] = CreateField(QStringLiteral("Evaporating temperature column %1").arg(c + 1), this);
        grid->addWidget(evapTemp_[c], kEvapRow, c + 1);
    }
    for (int r = 0; r < kMaxCond; ++r) {
        condTemp_[r][0] = CreateField(QStringLiteral("Condensing temperature row %1").arg(r + 1), this);
        condTemp_[r][1]
            = CreateField(QStringLiteral("Condensing temperature row %1, power block").arg(r + 1), this);
        grid->addWidget(condTemp_[r][0], kCapacityFirstRow + r, 0);
        grid->addWidget(condTemp_[r][1], kPowerFirstRow + r, 0);
        for (int c = 0; c < kMaxEvap; ++c) {
            capacity_[r][c]
                = CreateField(QStringLiteral("Capacity row %1 column %2").arg(r + 1).arg(c + 1), this);
            power_[r][c] = CreateField(QStringLiteral("Power row %1 column %2").arg(r + 1).arg(c + 1), this);
            grid->addWidget(capacity_[r][c], kCapacityFirstRow + r, c + 1);
            grid->addWidget(power_[r][c], kPowerFirstRow + r, c + 1);
        }
        for (int block = 0; block < 2; ++block)
            connect(condTemp_[r][block], &QLineEdit::textChanged, this,
                [this, r, block] { OnCondTempChanged(r, block); });
    }
    // Tab runs along the rows of each block rather than down the grid's columns.
    QWidget* previous = nullptr;
    auto chain = [&previous](QWidget* next) {
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    };
    for (auto* field : evapTemp_)
        chain(field);
    for (int block = 0; block < 2; ++block)
        for (int r = 0; r < kMaxCond; ++r) {
            chain(condTemp_[r][block]);
            for (int c = 0; c < kMaxEvap; ++c)
                chain(block == 0 ? capacity_[r][c] : power_[r][c]);
        }
}

QLayout* Cmap::CreateBottomLine() {
    auto* line = new QHBoxLayout;
    auto addCount = [this, line](const QString& caption, const QString& upDownName, CountField*& field,
                        UpDownControl*& upDown) {
        upDown = new UpDownControl(this);
        upDown->setAccessibleName(upDownName);
        field = new CountField(upDown, this);
        field->setAccessibleName(caption);
        field->setFixedWidth(36);
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        line->addWidget(label);
        line->addWidget(field);
        line->addWidget(upDown);
        line->addSpacing(12);
    };
    addCount(QStringLiteral("Number of rows"), QStringLiteral("Rows up/down"), rows_, rowsUpDown_);
    addCount(QStringLiteral("Columns"), QStringLiteral("Columns up/down"), columns_, columnsUpDown_);
    line->addStretch(1);
    auto addButton = [this, line](const QString& caption, void (Cmap::*handler)()) {
        auto* button = new QPushButton(caption, this);
        button->setAccessibleName(caption);
        line->addWidget(button);
        connect(button, &QPushButton::clicked, this, handler);
    };
    addButton(QStringLiteral("Clear Data"), &Cmap::ClearMapValues);
    addButton(QStringLiteral("<< Back"), &Cmap::OnBack);
    addButton(QStringLiteral("Next >>"), &Cmap::OnNext);
    connect(rowsUpDown_, &UpDownControl::stepped, this, &Cmap::OnRowsStepped);
    connect(columnsUpDown_, &UpDownControl::stepped, this, &Cmap::OnColumnsStepped);
    return line;
}

void Cmap::InitialUpdate() {
    SetCaptionWithModel(QStringLiteral("Compressor Model: Manufacturer's Map Data"));
    LoadMapForm();
    UpdateCellEnabling();
    context_.record.helpContext = kHelpMap;
}

void Cmap::LoadMapForm() {
    const auto& record = context_.record;
    if (record.unitsSI == 1) {
        SetHeading(evapHeading_, EvapHeading(true));
        SetHeading(condHeading_, CondHeading(true));
        SetHeading(capacityHeading_, CapacityHeading(true));
    }
    entry_.LoadFrom(record);
    RefreshControls();
}

void Cmap::UpdateCellEnabling() {
    for (int c = 0; c < kMaxEvap; ++c)
        evapTemp_[c]->setEnabled(InUse(c, entry_.evapCount));
    for (int r = 0; r < kMaxCond; ++r) {
        const bool row = InUse(r, entry_.condCount);
        condTemp_[r][0]->setEnabled(row);
        condTemp_[r][1]->setEnabled(row);
        for (int c = 0; c < kMaxEvap; ++c) {
            const bool cell = row && InUse(c, entry_.evapCount);
            capacity_[r][c]->setEnabled(cell);
            power_[r][c]->setEnabled(cell);
        }
    }
}

bool Cmap::ReadControls() {
    exchanging_ = true;
    for (int c = 0; c < kMaxEvap; ++c)
        entry_.evapTempText[c] = Read(evapTemp_[c]);
    for (int r = 0; r < kMaxCond; ++r) {
        entry_.condTempText[r] = { Read(condTemp_[r][0]), Read(condTemp_[r][1]) };
        for (int c = 0; c < kMaxEvap; ++c) {
            entry_.capacityText[r][c] = Read(capacity_[r][c]);
            entry_.powerText[r][c] = Read(power_[r][c]);
        }
    }
    bool ok = true;
    for (auto [field, count] : { std::pair { rows_, &entry_.condCount }, { columns_, &entry_.evapCount } }) {
        const int value = field->text().trimmed().toInt(&ok);
        if (!ok)
            break;
        *count = value;
    }
    exchanging_ = false;
    if (!ok)
        context_.messages.ShowError(QStringLiteral("Please enter an integer."));
    return ok;
}

void Cmap::RefreshControls() {
    exchanging_ = true;
    for (int c = 0; c < kMaxEvap; ++c)
        Refresh(evapTemp_[c], entry_.evapTempText[c]);
    for (int r = 0; r < kMaxCond; ++r) {
        Refresh(condTemp_[r][0], entry_.condTempText[r][0]);
        Refresh(condTemp_[r][1], entry_.condTempText[r][1]);
        for (int c = 0; c < kMaxEvap; ++c) {
            Refresh(capacity_[r][c], entry_.capacityText[r][c]);
            Refresh(power_[r][c], entry_.powerText[r][c]);
        }
    }
    rows_->setText(QString::number(entry_.condCount));
    columns_->setText(QString::number(entry_.evapCount));
    rowsUpDown_->SetValueText(rows_->text());
    columnsUpDown_->SetValueText(columns_->text());
    exchanging_ = false;
}

// A condensing temperature belongs to both blocks: every change of one field is copied into
// its twin (the copy itself arrives during the refresh and is not copied back).
void Cmap::OnCondTempChanged(int row, int block) {
    if (exchanging_)
        return;
    ReadControls();
    entry_.condTempText[row][1 - block] = entry_.condTempText[row][block];
    RefreshControls();
}

void Cmap::OnRowsStepped(int direction) {
    if (!ReadControls())
        return;
    entry_.condCount = StepCondCount(entry_.condCount, direction);
    RefreshControls();
    UpdateCellEnabling();
}

void Cmap::OnColumnsStepped(int direction) {
    if (!ReadControls())
        return;
    entry_.evapCount = StepEvapCount(entry_.evapCount, direction);
    RefreshControls();
    UpdateCellEnabling();
}

// The temperatures are read first so that typed ones are kept; the fields in use stay enabled
// until the next step of a count, although the counts now read 3 rows and 7 columns.
void Cmap::ClearMapValues() {
    ReadControls();
    entry_.ClearValues();
    RefreshControls();
}

void Cmap::StoreMapForm() {
    // Whatever could be read is stored.
    ReadControls();
    entry_.StoreInto(context_.record);
}

bool Cmap::CheckTemperatures() {
    const std::string message = velutra::CheckTemperatures(entry_, context_.record.unitsSI == 1);
    if (message.empty())
        return true;
    context_.messages.ShowError(QString::fromStdString(message));
    return false;
}

bool Cmap::CheckCells() {
    const std::string message = velutra::CheckMapCells(entry_, context_.record.unitsSI == 1);
    if (message.empty())
        return true;
    context_.messages.ShowError(QStringLiteral("   %1   ").arg(QString::fromStdString(message)));
    return false;
}

void Cmap::OnBack() {
    StoreMapForm();
    PostSwitch(kFormDescription);
}

// The record holds the typed map even when the check fails, so a later pass starts from it.
void Cmap::OnNext() {
    StoreMapForm();
    if (CheckTemperatures() && CheckCells())
        PostSwitch(kFormPlots);
}

} // namespace velutra
