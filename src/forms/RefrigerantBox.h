#pragma once

#include <QComboBox>

namespace velutra {

// A drop-down list of the six refrigerants, in the order of the refrigerant index; no text
// can be typed, so the selected index is always one of them. Screen readers hear the box's
// accessible name and the selected refrigerant as its value (Qt's own combo box interface on
// Linux would give the selected text as the name).
class RefrigerantBox : public QComboBox {
    Q_OBJECT

public:
    RefrigerantBox(const QString& accessibleName, QWidget* parent = nullptr);
};

} // namespace velutra
