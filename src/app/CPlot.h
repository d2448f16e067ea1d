#pragma once

#include "app/FormView.h"

namespace velutra {

// The graphic analysis form (placeholder: caption, help topic and navigation).
class CPlot : public FormView {
    Q_OBJECT

public:
    explicit CPlot(const FormContext& context, QWidget* parent = nullptr);

    void InitialUpdate() override;
};

} // namespace velutra
