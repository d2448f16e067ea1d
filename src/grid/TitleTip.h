#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

namespace velutra {

// The pop-up that shows a cell's whole text over the cell when the text is wider than the cell:
// a frameless tool window that is never activated and lets the mouse through to what is below.
class TitleTip : public QWidget {
    Q_OBJECT

public:
    explicit TitleTip(QWidget* owner);

    // Shows `text` at the top left corner of `cellRect` (global coordinates), as wide as the
    // padded text and as high as the cell, unless the tip is already visible or the
    // application has no focus window. `cellRect` is the rectangle the mouse must stay in.
    void Show(const QRect& cellRect, const QString& text, const QFont& font);
    const QRect& CellRect() const { return cellRect_; }
    const QString& Text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect cellRect_;
    QString text_;
};

} // namespace velutra
