#include "forms/CountField.h"

#include "forms/UpDownControl.h"

namespace velutra {

CountField::CountField(UpDownControl* upDown, QWidget* parent)
    : NumericEdit(parent)
    , upDown_(upDown) {
    setFocusPolicy(Qt::ClickFocus);
}

void CountField::focusInEvent(QFocusEvent* event) {
    NumericEdit::focusInEvent(event);
    upDown_->setFocus(Qt::OtherFocusReason);
}

} // namespace velutra
