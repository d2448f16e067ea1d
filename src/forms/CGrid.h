#pragma once

#include "app/FormView.h"

namespace velutra {

// The smoothed-map form (placeholder: caption, help topic and navigation). It is the one
// form that serves Save As and the table export.
class CGrid : public FormView {
    Q_OBJECT

public:
    explicit CGrid(const FormContext& context, QWidget* parent = nullptr);

    void InitialUpdate() override;
    bool HandlesCommand(int commandId) const override;
    void OnSaveAs() override;
    void OnExportTable() override;
};

} // namespace velutra
