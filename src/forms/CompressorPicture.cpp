#include "forms/CompressorPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace velutra {

namespace {

// A copper tube along a path: the body, then a thin highlight along its upper side.
void DrawTube(QPainter& painter, const QPainterPath& path, qreal width) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x6e, 0x3b, 0x1c), width + 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(QPen(QColor(0xb8, 0x6b, 0x38), width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(QPen(QColor(0xf0, 0xb2, 0x7a), width / 3, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(path.translated(-width / 5, -width / 5));
}

// The outline of the shell: straight sides, a domed top and a slightly curved bottom seam.
QPainterPath ShellPath() {
    QPainterPath shell;
    shell.moveTo(92, 200);
    shell.lineTo(92, 96);
    shell.cubicTo(92, 46, 132, 34, 180, 34);
    shell.cubicTo(228, 34, 268, 46, 268, 96);
    shell.lineTo(268, 200);
    shell.quadTo(180, 214, 92, 200);
    shell.closeSubpath();
    return shell;
}

// A horizontal gradient that makes the black painted steel look round.
QLinearGradient SteelGradient(qreal left, qreal right) {
    QLinearGradient steel(left, 0, right, 0);
    steel.setColorAt(0.0, QColor(0x15, 0x17, 0x1a));
    steel.setColorAt(0.28, QColor(0x5c, 0x63, 0x6b));
    steel.setColorAt(0.42, QColor(0x33, 0x38, 0x3e));
    steel.setColorAt(0.8, QColor(0x1d, 0x20, 0x24));
    steel.setColorAt(1.0, QColor(0x0e, 0x10, 0x12));
    return steel;
}

} // namespace

CompressorPicture::CompressorPicture(QWidget* parent)
    : QWidget(parent) {
    setFixedSize(kWidth, kHeight);
}

void CompressorPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // Studio backdrop and the shadow on the floor.
    QLinearGradient backdrop(0, 0, 0, kHeight);
    backdrop.setColorAt(0.0, QColor(0xf6, 0xf8, 0xfa));
    backdrop.setColorAt(1.0, QColor(0xcf, 0xd6, 0xdd));
    painter.fillRect(rect(), backdrop);
    painter.setPen(QColor(0xa9, 0xb2, 0xbb));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    QRadialGradient shadow(180, 228, 150);
    shadow.setColorAt(0.0, QColor(0, 0, 0, 90));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shadow);
    painter.drawEllipse(QPointF(180, 228), 165, 16);

    // Mounting plate with its rubber grommets and bolts.
    QPolygonF plate;
    plate << QPointF(66, 192) << QPointF(294, 192) << QPointF(318, 214) << QPointF(42, 214);
    QLinearGradient plateShade(0, 192, 0, 214);
    plateShade.setColorAt(0.0, QColor(0x60, 0x66, 0x6d));
    plateShade.setColorAt(1.0, QColor(0x2b, 0x2e, 0x32));
    painter.setBrush(plateShade);
    painter.setPen(QPen(QColor(0x1a, 0x1c, 0x1f), 1));
    painter.drawPolygon(plate);
    painter.setBrush(QColor(0x22, 0x24, 0x27));
    painter.drawRect(QRectF(42, 214, 276, 6));
    for (const QPointF centre : { QPointF(64, 208), QPointF(296, 208) }) {
        painter.setBrush(QColor(0x12, 0x12, 0x12));
        painter.drawEllipse(centre, 15, 7);
        painter.setBrush(QColor(0xb5, 0xbb, 0xc1));
        painter.drawEllipse(centre - QPointF(0, 3), 6, 3);
    }

    // The welded shell: lower and upper halves joined at a seam.
    const QPainterPath shell = ShellPath();
    painter.setPen(QPen(QColor(0x08, 0x09, 0x0a), 1.5));
    painter.setBrush(SteelGradient(92, 268));
    painter.drawPath(shell);
    QRectF seam(89, 112, 182, 9);
    QLinearGradient seamShade = SteelGradient(89, 271);
    painter.setBrush(seamShade);
    painter.drawRoundedRect(seam, 3, 3);
    painter.setPen(QPen(QColor(0x8a, 0x92, 0x9a, 160), 1));
    painter.drawLine(QPointF(92, 113), QPointF(268, 113));
    // Light falling on the dome.
    QRadialGradient gloss(150, 62, 46);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 90));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gloss);
    painter.drawEllipse(QPointF(150, 62), 46, 28);

    // Rating plate on the lower shell: lines standing for the printed data.
    painter.setBrush(QColor(0xee, 0xee, 0xe6));
    painter.setPen(QPen(QColor(0x80, 0x80, 0x78), 1));
    painter.drawRoundedRect(QRectF(108, 134, 62, 38), 2, 2);
    painter.setBrush(QColor(0x1f, 0x4e, 0x9a));
    painter.setPen(Qt::NoPen);
    painter.drawRect(QRectF(112, 138, 54, 6));
    painter.setBrush(QColor(0x70, 0x70, 0x6a));
    for (int line = 0; line < 4; ++line)
        painter.drawRect(QRectF(112, 148 + 5.5 * line, line % 2 == 0 ? 48 : 36, 2));

    // Terminal cover with its retaining clip and the supply cord.
    QPainterPath cord;
    cord.moveTo(236, 186);
    cord.cubicTo(250, 222, 300, 176, 352, 194);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x0b, 0x0b, 0x0b), 6, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(cord);
    painter.setPen(QPen(QColor(0x5a, 0x5a, 0x5a), 1.5, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(cord.translated(-1, -2));
    QLinearGradient coverShade(206, 0, 262, 0);
    coverShade.setColorAt(0.0, QColor(0x4a, 0x4f, 0x55));
    coverShade.setColorAt(0.5, QColor(0x77, 0x7e, 0x86));
    coverShade.setColorAt(1.0, QColor(0x33, 0x37, 0x3c));
    painter.setBrush(coverShade);
    painter.setPen(QPen(QColor(0x10, 0x11, 0x13), 1.2));
    painter.drawRoundedRect(QRectF(206, 132, 54, 54), 8, 8);
    painter.setBrush(QColor(0x2c, 0x30, 0x35));
    painter.drawRoundedRect(QRectF(224, 180, 22, 10), 3, 3);
    painter.setPen(QPen(QColor(0xc8, 0xcd, 0xd2), 2.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(212, 125, 42, 24), 200 * 16, 140 * 16);

    // Copper tubes: suction on the side, discharge and process tube on the dome.
    QPainterPath suction;
    suction.moveTo(93, 156);
    suction.lineTo(52, 156);
    suction.quadTo(38, 156, 38, 142);
    suction.lineTo(38, 98);
    DrawTube(painter, suction, 11);
    painter.setPen(QPen(QColor(0x6e, 0x3b, 0x1c), 1));
    painter.setBrush(QColor(0xc9, 0x7d, 0x48));
    painter.drawRoundedRect(QRectF(30, 90, 16, 10), 2, 2);

    QPainterPath discharge;
    discharge.moveTo(128, 44);
    discharge.lineTo(128, 24);
    discharge.quadTo(128, 14, 118, 14);
    discharge.lineTo(72, 14);
    DrawTube(painter, discharge, 7);
    painter.setBrush(QColor(0xc9, 0x7d, 0x48));
    painter.setPen(QPen(QColor(0x6e, 0x3b, 0x1c), 1));
    painter.drawRoundedRect(QRectF(66, 8, 8, 12), 1.5, 1.5);

    QPainterPath process;
    process.moveTo(214, 40);
    process.lineTo(214, 16);
    DrawTube(painter, process, 6);
    // The process tube is pinched off and brazed shut after charging.
    painter.setBrush(QColor(0xa8, 0x8a, 0x5a));
    painter.setPen(QPen(QColor(0x5b, 0x44, 0x24), 1));
    painter.drawRoundedRect(QRectF(209, 6, 10, 12), 2, 2);

    // Brazed joints where the tubes enter the shell.
    painter.setBrush(QColor(0xd8, 0xc8, 0x90));
    painter.setPen(QPen(QColor(0x6e, 0x5a, 0x30), 1));
    painter.drawEllipse(QPointF(94, 156), 4, 9);
    painter.drawEllipse(QPointF(128, 45), 6, 3);
    painter.drawEllipse(QPointF(214, 41), 5, 2.5);
}

} // namespace velutra
