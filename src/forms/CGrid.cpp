#include "forms/CGrid.h"

#include "app/CVelutraDoc.h"
#include "app/CommandIds.h"
#include "record/CompressorRecord.h"

#include <QLabel>

namespace velutra {

CGrid::CGrid(const FormContext& context, QWidget* parent)
    : FormView(context, kFormSmoothedMap, parent) {
    body_->addWidget(new QLabel(QStringLiteral("Smoothed Map"), this), 1, Qt::AlignTop);
    AddNavigationButton(QStringLiteral("<< Back"), kFormPlots);
    AddNavigationButton(QStringLiteral("New Run >>"), kFormDescription);
}

void CGrid::InitialUpdate() {
    SetCaptionWithModel(QStringLiteral("Compressor Model: Smoothed Map"));
    context_.record.helpContext = kHelpSmoothedMap;
}

bool CGrid::HandlesCommand(int commandId) const {
    return commandId == kCmdSaveAs || commandId == kCmdExportTable || FormView::HandlesCommand(commandId);
}

void CGrid::OnSaveAs() {
    context_.doc.SaveAs();
}

void CGrid::OnExportTable() {
    context_.doc.OnExportTable();
}

} // namespace velutra
