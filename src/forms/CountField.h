#pragma once

#include "forms/NumericEdit.h"

namespace velutra {

class UpDownControl;

// A count field: it shows the count but never takes typing. Whenever it receives the keyboard
// focus (a click), the focus moves on at once to its up/down control. It is left out of the
// Tab order so that Shift+Tab from the up/down control does not bounce straight back.
class CountField : public NumericEdit {
    Q_OBJECT

public:
    CountField(UpDownControl* upDown, QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    UpDownControl* upDown_;
};

} // namespace velutra
