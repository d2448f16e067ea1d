#pragma once

#include <QAbstractSpinBox>

namespace velutra {

// The up/down arrows beside a count field. It keeps no value of its own: every step (an arrow
// clicked, the Up or Down key, the wheel) is reported as +1 or -1 and the form decides what the
// count becomes. The count is shown to screen readers as the control's value.
class UpDownControl : public QAbstractSpinBox {
    Q_OBJECT

public:
    explicit UpDownControl(QWidget* parent = nullptr);

    void stepBy(int steps) override;
    void SetValueText(const QString& text);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void stepped(int direction);

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
    // Two arrow buttons, one above the other, fill the control; the spin box's own text part
    // is never shown.
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent*) override { }

private:
    QRect ArrowRect(int half) const;

    int pressed_ = -1;
};

} // namespace velutra
