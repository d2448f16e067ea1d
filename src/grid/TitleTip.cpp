#include "grid/TitleTip.h"

#include <QGuiApplication>
#include <QPainter>

namespace velutra {

TitleTip::TitleTip(QWidget* owner)
    : QWidget(owner,
        Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus
            | Qt::WindowTransparentForInput) {
    setObjectName(QStringLiteral("VelutraTitleTip"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setAutoFillBackground(true);
}

void TitleTip::Show(const QRect& cellRect, const QString& text, const QFont& font) {
    if (isVisible() || QGuiApplication::focusWindow() == nullptr)
        return;
    cellRect_ = cellRect;
    text_ = text;
    setFont(font);
    const QString padded = QLatin1Char(' ') + text + QLatin1Char(' ');
    // The border takes one pixel on each side.
    setGeometry(
        cellRect.left(), cellRect.top(), fontMetrics().horizontalAdvance(padded) + 2, cellRect.height());
    show();
}

void TitleTip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawText(rect().adjusted(1, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter,
        QLatin1Char(' ') + text_ + QLatin1Char(' '));
}

} // namespace velutra
