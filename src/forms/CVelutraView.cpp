#include "forms/CVelutraView.h"

#include "app/CMainFrame.h"
#include "app/CVelutraDoc.h"
#include "app/CommandIds.h"
#include "app/MessageSink.h"
#include "props/PropertyEngine.h"
#include "record/CompressorRecord.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace velutra {

CVelutraView::CVelutraView(const FormContext& context, QWidget* parent)
    : FormView(context, kFormDescription, parent) {
    auto* banner = new QLabel(QStringLiteral("Compressor Map Analysis"), this);
    banner->setStyleSheet(
        QStringLiteral("background: white; color: blue; font-weight: bold; font-size: 24pt;"));
    banner->setFixedHeight(60);
    body_->addWidget(banner);
    summary_ = new QLabel(this);
    summary_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    body_->addWidget(summary_, 1);
    connect(AddButton(QStringLiteral("Next >>")), &QPushButton::clicked, this, &CVelutraView::OnNext);
}

void CVelutraView::InitialUpdate() {
    auto& record = context_.record;
    context_.frame.setWindowTitle(QStringLiteral("Compressor Model: Description"));
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
    record.helpContext = kHelpDescription;
}

void CVelutraView::OnNew() {
    context_.doc.OnNew();
    LoadForm();
}

void CVelutraView::OnOpen() {
    context_.doc.OnOpen();
    LoadForm();
}

void CVelutraView::OnImport() {
    context_.doc.OnImport();
    if (context_.record.reloadFormsFromRecord == 1)
        LoadForm();
}

void CVelutraView::LoadForm() {
    const auto& record = context_.record;
    const int index = record.refrigerantIndex;
    const QString refrigerant = index >= 0 && index < static_cast<int>(kRefrigerantNames.size())
        ? kRefrigerantNames[index]
        : QString();
    summary_->setText(
        QStringLiteral("Manufacturer: %1\nModel: %2\nRefrigerant: %3\nUnits: %4")
            .arg(QString::fromStdString(record.manufacturer), QString::fromStdString(record.model),
                refrigerant, record.unitsEnglish == 1 ? QStringLiteral("English") : QStringLiteral("SI")));
}

void CVelutraView::OnNext() {
    auto& record = context_.record;
    // Until a file is read or imported, every "Next >>" starts the map from the default axes
    // of the chosen unit system.
    if (record.newRecordDefaultsPending == 1)
        record.ApplyDefaultAxes(record.unitsEnglish == 1);
    // The map can be entered without properties; the user learns at once why the analysis
    // will have none.
    const SetupResult setup = context_.frame.Engine().SetupFluid(record.refrigerantIndex);
    if (!setup.ok)
        context_.messages.ShowError(QStringLiteral("   %1   ").arg(QString::fromStdString(setup.message)));
    PostSwitch(kFormMap);
}

} // namespace velutra
