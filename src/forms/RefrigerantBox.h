#pragma once

#include <QComboBox>

namespace velutra {

// A drop-down list of every refrigerant, sorted by name (RefrigerantCodesByName), each entry
// holding its refrigerant code; no text can be typed, so the selection is always one of them. Screen readers
// hear the box's accessible name and the selected refrigerant as its value (Qt's own combo box interface on
// Linux would give the selected text as the name).
class RefrigerantBox : public QComboBox {
    Q_OBJECT

public:
    RefrigerantBox(const QString& accessibleName, QWidget* parent = nullptr);

    // The refrigerant code (position in kRefrigerantNames) of the selected entry.
    int Code() const;
    // Selects the entry of a code; a code outside the list leaves the selection.
    void SetCode(int code);
};

} // namespace velutra
