#pragma once

#include "app/FormView.h"

namespace velutra {

// The manufacturer's map entry form (placeholder: caption, help topic and navigation).
class Cmap : public FormView {
    Q_OBJECT

public:
    explicit Cmap(const FormContext& context, QWidget* parent = nullptr);

    void InitialUpdate() override;
};

} // namespace velutra
