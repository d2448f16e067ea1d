#pragma once

#include "app/FormView.h"
#include "record/DescriptionEntry.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace velutra {

class RefrigerantBox;

// The description form (first form, shown at start-up): the compressor's names, refrigerant,
// unit system, rating point and the optional conversion to a new refrigerant. It performs the
// start-up load and, on "Next >>", stores itself, applies the unit system's default axes after
// New and sets up the refrigerant before the map form is shown.
class CVelutraView : public FormView {
    Q_OBJECT

public:
    explicit CVelutraView(const FormContext& context, QWidget* parent = nullptr);

    void InitialUpdate() override;
    void OnNew() override;
    void OnOpen() override;
    void AfterImport() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* CreateDescriptionGroup();
    QWidget* CreateRatingGroup();
    QWidget* CreateConversionGroup();

    void LoadForm();
    void StoreForm();
    // The form's two data-exchange steps: controls into values, values into controls.
    void TakeControls();
    void RefreshControls();
    // Capacity label of the unit system; the new-refrigerant box only while converting.
    void UpdateDisplay();

    void OnUnitsClicked(bool english);
    void OnConvertClicked();
    void OnNext();

    DescriptionEntry values_;
    QLineEdit* manufacturer_;
    QLineEdit* model_;
    QLineEdit* voltage_;
    QLineEdit* speed_;
    RefrigerantBox* refrigerant_;
    QCheckBox* english_;
    QCheckBox* si_;
    QLabel* capacityLabel_;
    QLineEdit* capacity_;
    QLineEdit* eer_;
    QCheckBox* convert_;
    RefrigerantBox* newRefrigerant_;
};

} // namespace velutra
