#include "forms/UpDownControl.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

namespace velutra {

namespace {

constexpr int kUp = 0;
constexpr int kDown = 1;

} // namespace

UpDownControl::UpDownControl(QWidget* parent)
    : QAbstractSpinBox(parent) {
    // The text part only carries the count for screen readers.
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
    // As tall as the count field beside it.
    return { 18, lineEdit()->sizeHint().height() };
}

QRect UpDownControl::ArrowRect(int half) const {
    const int middle = height() / 2;
    return half == kUp ? QRect(0, 0, width(), middle) : QRect(0, middle, width(), height() - middle);
}

void UpDownControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const int half : { kUp, kDown }) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = ArrowRect(half);
        button.state |= pressed_ == half ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &button, &painter, this);
        QStyleOption arrow = button;
        arrow.rect = button.rect.adjusted(4, 2, -4, -2);
        style()->drawPrimitive(half == kUp ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
            &arrow, &painter, this);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void UpDownControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = ArrowRect(kUp).contains(event->position().toPoint()) ? kUp : kDown;
    update();
    stepBy(pressed_ == kUp ? 1 : -1);
}

void UpDownControl::mouseReleaseEvent(QMouseEvent*) {
    pressed_ = -1;
    update();
}

} // namespace velutra
