#include "forms/UpDownControl.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace velutra {

UpDownControl::UpDownControl(QWidget* parent)
    : QAbstractSpinBox(parent) {
    // Only the arrows show; the text part carries the count for screen readers.
    lineEdit()->setReadOnly(true);
    lineEdit()->hide();
    setFrame(false);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void UpDownControl::stepBy(int steps) {
    // A page step is still one step: the count moves by one at a time.
    if (steps != 0)
        emit stepped(steps > 0 ? 1 : -1);
}

void UpDownControl::SetValueText(const QString& text) {
    lineEdit()->setText(text);
}

QSize UpDownControl::sizeHint() const {
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QRect up = style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this);
    const int width = std::max(up.width(), 14) + 2;
    return { width, QAbstractSpinBox::sizeHint().height() };
}

} // namespace velutra
