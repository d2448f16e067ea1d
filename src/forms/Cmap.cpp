#include "forms/Cmap.h"

#include "app/CommandIds.h"
#include "record/CompressorRecord.h"

#include <QLabel>

namespace velutra {

Cmap::Cmap(const FormContext& context, QWidget* parent)
    : FormView(context, kFormMap, parent) {
    body_->addWidget(new QLabel(QStringLiteral("Manufacturer's Map Data"), this), 1, Qt::AlignTop);
    AddNavigationButton(QStringLiteral("<< Back"), kFormDescription);
    AddNavigationButton(QStringLiteral("Next >>"), kFormPlots);
}

void Cmap::InitialUpdate() {
    SetCaptionWithModel(QStringLiteral("Compressor Model: Manufacturer's Map Data"));
    context_.record.helpContext = kHelpMap;
}

} // namespace velutra
