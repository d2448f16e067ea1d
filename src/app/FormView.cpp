#include "app/FormView.h"

#include "app/CVelutraDoc.h"
#include "app/CommandIds.h"
#include "app/FormHost.h"
#include "record/CompressorRecord.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace velutra {

FormView::FormView(const FormContext& context, int formId, QWidget* parent)
    : QWidget(parent)
    , context_(context)
    , formId_(formId) {
    setFixedSize(kWidth, kHeight);
    auto* layout = new QVBoxLayout(this);
    body_ = new QVBoxLayout;
    layout->addLayout(body_, 1);
    buttons_ = new QHBoxLayout;
    buttons_->addStretch(1);
    layout->addLayout(buttons_);
}

bool FormView::HandlesCommand(int commandId) const {
    return commandId == kCmdNew || commandId == kCmdOpen || commandId == kCmdDelete || commandId == kCmdImport
        || commandId == kCmdImportCsvMap || commandId == kCmdImportCoefficients;
}

void FormView::OnNew() {
    context_.doc.OnNew();
    PostSwitch(kFormDescription);
}

void FormView::OnOpen() {
    context_.doc.OnOpen();
    if (context_.record.recordLoaded == 1)
        PostSwitch(kFormDescription);
}

void FormView::OnImport() {
    context_.doc.OnImport();
    AfterImport();
}

void FormView::OnImportCsvMap() {
    context_.doc.OnImportCsvMap();
    AfterImport();
}

void FormView::OnImportCoefficients() {
    context_.doc.OnImportCoefficients();
    AfterImport();
}

void FormView::AfterImport() {
    if (context_.record.reloadFormsFromRecord == 1)
        PostSwitch(kFormDescription);
}

void FormView::PostSwitch(int formId) {
    context_.frame.RequestForm(formId);
}

QPushButton* FormView::AddButton(const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setAccessibleName(caption);
    buttons_->addWidget(button);
    return button;
}

QPushButton* FormView::AddNavigationButton(const QString& caption, int targetFormId) {
    auto* button = AddButton(caption);
    connect(button, &QPushButton::clicked, this, [this, targetFormId] { PostSwitch(targetFormId); });
    return button;
}

void FormView::SetCaptionWithModel(const QString& title) {
    context_.frame.SetCaption(QStringLiteral("%1 (%2 model %3)")
                                  .arg(title, QString::fromStdString(context_.record.manufacturer),
                                      QString::fromStdString(context_.record.model)));
}

} // namespace velutra
