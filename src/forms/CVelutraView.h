#pragma once

#include "app/FormView.h"

class QLabel;

namespace velutra {

// The description form (first form, shown at start-up). It performs the start-up load and,
// on "Next >>", applies the unit system's default axes after New.
class CVelutraView : public FormView {
    Q_OBJECT

public:
    explicit CVelutraView(const FormContext& context, QWidget* parent = nullptr);

    void InitialUpdate() override;
    void OnNew() override;
    void OnOpen() override;
    void OnImport() override;

private:
    void LoadForm();
    void OnNext();

    QLabel* summary_;
};

} // namespace velutra
