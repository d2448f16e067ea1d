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
};

} // namespace velutra
