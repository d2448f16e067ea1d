#include "grid/CGridCtrl.h"

#include "grid/GridAccessible.h"
#include "grid/TitleTip.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QWheelEvent>

namespace velutra {

namespace {

GridFont ToGridFont(const QFont& font) {
    return { font.family().toStdString(), font.pointSizeF(), font.weight(), font.italic() };
}

QFont ToQFont(const GridFont& font, const QFont& fallback) {
    QFont result = fallback;
    if (!font.family.empty())
        result.setFamily(QString::fromStdString(font.family));
    if (font.pointSize > 0)
        result.setPointSizeF(font.pointSize);
    result.setWeight(static_cast<QFont::Weight>(font.weight));
    result.setItalic(font.italic);
    return result;
}

// Where a cell's format puts its text. As with the platform's text drawing the vertical
// placement applies to single-line texts only; others start at the top.
int AlignmentOf(unsigned format) {
    int flags = (format & cellformat::kCentre) ? Qt::AlignHCenter
        : (format & cellformat::kRight)        ? Qt::AlignRight
                                               : Qt::AlignLeft;
    if (format & cellformat::kSingleLine)
        flags |= (format & cellformat::kVCentre) ? Qt::AlignVCenter
            : (format & cellformat::kBottom)     ? Qt::AlignBottom
                                                 : Qt::AlignTop;
    else
        flags |= Qt::AlignTop;
    if ((format & cellformat::kWordBreak) && !(format & cellformat::kSingleLine))
        flags |= Qt::TextWordWrap;
    return flags;
}

} // namespace

CGridCtrl::CGridCtrl(QWidget* parent)
    : QAbstractScrollArea(parent)
    , titleTip_(new TitleTip(this)) {
    InstallGridAccessibility();
    setObjectName(QStringLiteral("VelutraGridCtrl"));
    systemText_ = FromQColor(palette().color(QPalette::WindowText));
    systemWindow_ = FromQColor(palette().color(QPalette::Base));
    systemShadow_ = FromQColor(palette().color(QPalette::Dark));
    systemFace_ = FromQColor(palette().color(QPalette::Button));
    textColor = fixedTextColor = systemText_;
    textBackColor = systemWindow_;
    backColor = systemShadow_;
    fixedBackColor = systemFace_;
    wheelScrollLines_ = QApplication::wheelScrollLines();
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    // Painting covers the whole client area from an off-screen copy: no background erasing.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFont(QApplication::font("QMessageBox"));
    ApplyDefaultFont();
}

CGridCtrl::~CGridCtrl() = default;

void CGridCtrl::RepaintAll() {
    if (drawingAllowed_)
        viewport()->update();
}

void CGridCtrl::CountsChanged() {
    if (QAccessible::isActive()) {
        QAccessibleTableModelChangeEvent change(this, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&change);
    }
    if (drawingAllowed_) {
        ResetScrollBars();
        RepaintAll();
    }
}

bool CGridCtrl::SetRows(int count) {
    if (count == model_.RowCount())
        return true;
    if (!model_.SetRows(count))
        return false;
    CountsChanged();
    return true;
}

bool CGridCtrl::SetColumns(int count) {
    if (count == model_.ColumnCount())
        return true;
    if (!model_.SetColumns(count))
        return false;
    CountsChanged();
    return true;
}

bool CGridCtrl::SetFixedRows(int count) {
    if (model_.RowCount() < count && !SetRows(count))
        return false;
    if (!model_.SetFixedRows(count))
        return false;
    // What scrolls is what is not fixed: the ranges change with the fixed count.
    if (drawingAllowed_)
        ResetScrollBars();
    RepaintAll();
    return true;
}

bool CGridCtrl::SetFixedColumns(int count) {
    if (model_.ColumnCount() < count && !SetColumns(count))
        return false;
    if (!model_.SetFixedColumns(count))
        return false;
    // What scrolls is what is not fixed: the ranges change with the fixed count.
    if (drawingAllowed_)
        ResetScrollBars();
    RepaintAll();
    return true;
}

bool CGridCtrl::SetCell(const CellUpdate& update) {
    if (!model_.SetCell(update))
        return false;
    if ((update.mask & cellmask::kText) && QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        changed.setChild(update.row * model_.ColumnCount() + update.column);
        QAccessible::updateAccessibility(&changed);
    }
    return true;
}

bool CGridCtrl::SetCellText(int row, int column, const QString& text) {
    CellUpdate update;
    update.row = row;
    update.column = column;
    update.mask = cellmask::kText;
    update.text = text.toStdString();
    return SetCell(update);
}

bool CGridCtrl::SetCellBackColor(int row, int column, GridColor color) {
    return model_.SetCellBackColor(row, column, color);
}

QString CGridCtrl::GetCellText(int row, int column) const {
    const GridCell* cell = model_.Cell(row, column);
    return cell ? QString::fromStdString(cell->text) : QString();
}

void CGridCtrl::ExpandToFit() {
    ExpandColumnsToFit();
    ExpandRowsToFit();
    // The rows may have taken or given back the room of a scroll bar.
    ExpandColumnsToFit();
}

void CGridCtrl::ExpandColumnsToFit() {
    model_.ExpandColumnsToFit(viewport()->width());
    RepaintAll();
}

void CGridCtrl::ExpandRowsToFit() {
    model_.ExpandRowsToFit(viewport()->height());
    RepaintAll();
}

void CGridCtrl::ResetScrollBars() {
    const int width = viewport()->width() - model_.FixedWidth();
    const int height = viewport()->height() - model_.FixedHeight();
    const int contentWidth = model_.TotalWidth(model_.FixedColumnCount());
    const int contentHeight = model_.TotalHeight(model_.FixedRowCount());
    QScrollBar* horizontal = horizontalScrollBar();
    QScrollBar* vertical = verticalScrollBar();
    if (contentWidth > width && width > 0) {
        horizontal->setRange(0, contentWidth - width);
        horizontal->setPageStep(width);
        horizontal->setSingleStep(std::max(1, model_.defaultColumnWidth));
    } else {
        horizontal->setRange(0, 0);
    }
    if (contentHeight > height && height > 0) {
        vertical->setRange(0, contentHeight - height);
        vertical->setPageStep(height);
        vertical->setSingleStep(std::max(1, model_.defaultRowHeight));
    } else {
        vertical->setRange(0, 0);
    }
}

void CGridCtrl::ApplyDefaultFont() {
    const QFontMetrics metrics(font());
    model_.SetDefaultFont(ToGridFont(font()));
    margin_ = metrics.horizontalAdvance(QLatin1Char(' '));
    model_.defaultRowHeight = metrics.height() + metrics.leading() + 2 * margin_;
    model_.defaultColumnWidth = 2 * (margin_ + 6 * metrics.averageCharWidth());
}

void CGridCtrl::FollowSystemColours() {
    const GridColor text = FromQColor(palette().color(QPalette::WindowText));
    const GridColor window = FromQColor(palette().color(QPalette::Base));
    const GridColor shadow = FromQColor(palette().color(QPalette::Dark));
    const GridColor face = FromQColor(palette().color(QPalette::Button));
    // Only colours the owner left at their defaults follow the system.
    if (textColor == systemText_)
        textColor = text;
    if (fixedTextColor == systemText_)
        fixedTextColor = text;
    if (textBackColor == systemWindow_)
        textBackColor = window;
    if (backColor == systemShadow_)
        backColor = shadow;
    if (fixedBackColor == systemFace_)
        fixedBackColor = face;
    systemText_ = text;
    systemWindow_ = window;
    systemShadow_ = shadow;
    systemFace_ = face;
    RepaintAll();
}

bool CGridCtrl::event(QEvent* event) {
    if (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::ThemeChange)
        wheelScrollLines_ = QApplication::wheelScrollLines();
    return QAbstractScrollArea::event(event);
}

void CGridCtrl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        ApplyDefaultFont();
    else if (event->type() == QEvent::PaletteChange)
        FollowSystemColours();
    QAbstractScrollArea::changeEvent(event);
}

int CGridCtrl::ColumnLeft(int column) const {
    int x = 0;
    for (int c = 0; c < column; ++c)
        x += model_.ColumnWidth(c);
    if (column >= model_.FixedColumnCount())
        x -= horizontalScrollBar()->value();
    return x;
}

int CGridCtrl::RowTop(int row) const {
    int y = 0;
    for (int r = 0; r < row; ++r)
        y += model_.RowHeight(r);
    if (row >= model_.FixedRowCount())
        y -= verticalScrollBar()->value();
    return y;
}

QRect CGridCtrl::CellRect(int row, int column) const {
    if (!model_.Contains(row, column))
        return {};
    return QRect(ColumnLeft(column), RowTop(row), model_.ColumnWidth(column), model_.RowHeight(row));
}

bool CGridCtrl::CellAt(const QPoint& point, int& row, int& column) const {
    const auto find
        = [](int position, int fixedCount, int fixedSize, int scroll, const std::vector<int>& sizes) {
              int edge = 0;
              for (int i = 0; i < static_cast<int>(sizes.size()); ++i) {
                  if (i == fixedCount)
                      edge = fixedSize - scroll;
                  const int size = sizes[static_cast<std::size_t>(i)];
                  // A scrolled cell under the fixed band is hidden by it.
                  const bool hidden = i >= fixedCount && position < fixedSize;
                  if (!hidden && position >= edge && position < edge + size)
                      return i;
                  edge += size;
              }
              return -1;
          };
    row = find(point.y(), model_.FixedRowCount(), model_.FixedHeight(), verticalScrollBar()->value(),
        model_.RowHeights());
    column = find(point.x(), model_.FixedColumnCount(), model_.FixedWidth(), horizontalScrollBar()->value(),
        model_.ColumnWidths());
    return row >= 0 && column >= 0;
}

void CGridCtrl::paintEvent(QPaintEvent*) {
    QPainter target(viewport());
    if (!doubleBuffered) {
        Draw(target);
        return;
    }
    const qreal ratio = viewport()->devicePixelRatioF();
    QPixmap buffer(viewport()->size() * ratio);
    buffer.setDevicePixelRatio(ratio);
    {
        QPainter painter(&buffer);
        Draw(painter);
    }
    target.drawPixmap(0, 0, buffer);
}

void CGridCtrl::Draw(QPainter& painter) {
    const QRect client = viewport()->rect();
    const int fixedWidth = model_.FixedWidth();
    const int fixedHeight = model_.FixedHeight();
    const int right = std::min(client.width(), ColumnLeft(model_.ColumnCount()));
    const int bottom = std::min(client.height(), RowTop(model_.RowCount()));
    const int fixedRight = std::min(fixedWidth, right);
    const int fixedBottom = std::min(fixedHeight, bottom);

    painter.fillRect(client, ToQColor(backColor));
    painter.fillRect(QRect(0, 0, right, fixedBottom), ToQColor(fixedBackColor));
    painter.fillRect(QRect(0, 0, fixedRight, bottom), ToQColor(fixedBackColor));
    painter.fillRect(
        QRect(fixedRight, fixedBottom, right - fixedRight, bottom - fixedBottom), ToQColor(textBackColor));

    const int rows = model_.RowCount();
    const int columns = model_.ColumnCount();
    const int fixedRows = model_.FixedRowCount();
    const int fixedColumns = model_.FixedColumnCount();
    const auto visible = [&client](const QRect& rect) { return rect.intersects(client); };

    // Corner, then the fixed columns and the fixed rows, each clipped to its band, then the cells.
    for (int r = 0; r < fixedRows; ++r)
        for (int c = 0; c < fixedColumns; ++c)
            DrawFixedCell(painter, r, c, CellRect(r, c));
    painter.save();
    painter.setClipRect(QRect(0, fixedHeight, client.width(), client.height()));
    for (int r = fixedRows; r < rows; ++r)
        for (int c = 0; c < fixedColumns; ++c)
            if (visible(CellRect(r, c)))
                DrawFixedCell(painter, r, c, CellRect(r, c));
    painter.setClipRect(QRect(fixedWidth, 0, client.width(), client.height()));
    for (int r = 0; r < fixedRows; ++r)
        for (int c = fixedColumns; c < columns; ++c)
            if (visible(CellRect(r, c)))
                DrawFixedCell(painter, r, c, CellRect(r, c));
    painter.setClipRect(QRect(fixedWidth, fixedHeight, client.width(), client.height()));
    for (int r = fixedRows; r < rows; ++r)
        for (int c = fixedColumns; c < columns; ++c)
            if (visible(CellRect(r, c)))
                DrawNormalCell(painter, r, c, CellRect(r, c));
    painter.restore();
}

void CGridCtrl::DrawFixedCell(QPainter& painter, int row, int column, const QRect& rect) {
    const GridCell& cell = *model_.Cell(row, column);
    painter.fillRect(rect, ToQColor(cell.backColor != kDefaultColor ? cell.backColor : fixedBackColor));
    const bool sharesFocus = row == model_.FocusRow() || column == model_.FocusColumn();
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Shadow);
    const QRect edge = rect.adjusted(0, 0, -1, -1);
    painter.setPen(light);
    painter.drawLine(edge.topLeft(), edge.topRight());
    painter.drawLine(edge.topLeft(), edge.bottomLeft());
    painter.setPen(dark);
    painter.drawLine(edge.bottomLeft(), edge.bottomRight());
    painter.drawLine(edge.topRight(), edge.bottomRight());
    if (sharesFocus) {
        // The raised edge of a header in line with the focus cell: a second, inner pair of lines.
        const QRect inner = edge.adjusted(1, 1, -1, -1);
        painter.setPen(palette().color(QPalette::Midlight));
        painter.drawLine(inner.topLeft(), inner.topRight());
        painter.drawLine(inner.topLeft(), inner.bottomLeft());
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(inner.bottomLeft(), inner.bottomRight());
        painter.drawLine(inner.topRight(), inner.bottomRight());
    }
    const QColor text = ToQColor(cell.textColor != kDefaultColor ? cell.textColor : fixedTextColor);
    DrawText(painter, cell, rect.adjusted(1 + margin_, 1, -1 - margin_, -1), text, sharesFocus);
}

void CGridCtrl::DrawNormalCell(QPainter& painter, int row, int column, const QRect& rect) {
    const GridCell& cell = *model_.Cell(row, column);
    const bool selected = (cell.state & kCellSelected) != 0;
    QColor back = ToQColor(cell.backColor != kDefaultColor ? cell.backColor : textBackColor);
    QColor text = ToQColor(cell.textColor != kDefaultColor ? cell.textColor : textColor);
    if (selected) {
        back = palette().color(QPalette::Highlight);
        text = palette().color(QPalette::HighlightedText);
    }
    painter.fillRect(rect, back);
    painter.setPen(ToQColor(gridLineColor));
    const QRect edge = rect.adjusted(0, 0, -1, -1);
    if (gridLines & 1)
        painter.drawLine(edge.bottomLeft(), edge.bottomRight());
    if (gridLines & 2)
        painter.drawLine(edge.topRight(), edge.bottomRight());
    DrawText(painter, cell, rect.adjusted(margin_, 0, -margin_ - 1, -1), text, false);
}

void CGridCtrl::DrawText(
    QPainter& painter, const GridCell& cell, QRect rect, const QColor& color, bool bold) {
    QFont cellFont = ToQFont(cell.font, font());
    if (bold)
        cellFont.setWeight(QFont::DemiBold);
    painter.setFont(cellFont);
    painter.setPen(color);
    painter.drawText(rect, AlignmentOf(cell.format), QString::fromStdString(cell.text));
}

void CGridCtrl::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    ResetScrollBars();
}

void CGridCtrl::scrollContentsBy(int, int) {
    viewport()->update();
}

int CGridCtrl::ColumnBorderNear(int x) const {
    for (int c = 0; c < model_.ColumnCount(); ++c) {
        const int border = ColumnLeft(c) + model_.ColumnWidth(c);
        if (std::abs(x - border) <= resizeCaptureRange)
            return c;
    }
    return -1;
}

int CGridCtrl::RowBorderNear(int y) const {
    for (int r = 0; r < model_.RowCount(); ++r) {
        const int border = RowTop(r) + model_.RowHeight(r);
        if (std::abs(y - border) <= resizeCaptureRange)
            return r;
    }
    return -1;
}

void CGridCtrl::UpdateTitleTip(const QPoint& point) {
    if (titleTip_->isVisible()) {
        if (titleTip_->CellRect().contains(viewport()->mapToGlobal(point)))
            return;
        titleTip_->hide();
    }
    int row = -1;
    int column = -1;
    if (!CellAt(point, row, column))
        return;
    const QString text = GetCellText(row, column);
    if (text.isEmpty())
        return;
    const QRect rect = CellRect(row, column);
    const int needed = QFontMetrics(font()).horizontalAdvance(QLatin1Char(' ') + text + QLatin1Char(' '));
    if (needed > rect.width())
        titleTip_->Show(QRect(viewport()->mapToGlobal(rect.topLeft()), rect.size()), text, font());
}

void CGridCtrl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (mouseMode_ == MouseMode::ResizeColumn) {
        model_.SetColumnWidth(resizeIndex_, std::max(0, point.x() - ColumnLeft(resizeIndex_)));
        ResetScrollBars();
        RepaintAll();
        return;
    }
    if (mouseMode_ == MouseMode::ResizeRow) {
        model_.SetRowHeight(resizeIndex_, std::max(0, point.y() - RowTop(resizeIndex_)));
        ResetScrollBars();
        RepaintAll();
        return;
    }
    if (titleTips && !(event->buttons() & Qt::LeftButton))
        UpdateTitleTip(point);
    // Over the header bands a border within the capture range can be dragged, where allowed.
    if (allowColumnResize && point.y() < model_.FixedHeight() && ColumnBorderNear(point.x()) >= 0)
        viewport()->setCursor(Qt::SizeHorCursor);
    else if (allowRowResize && point.x() < model_.FixedWidth() && RowBorderNear(point.y()) >= 0)
        viewport()->setCursor(Qt::SizeVerCursor);
    else
        viewport()->unsetCursor();
}

void CGridCtrl::mousePressEvent(QMouseEvent* event) {
    titleTip_->hide();
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    if (allowColumnResize && point.y() < model_.FixedHeight()
        && (resizeIndex_ = ColumnBorderNear(point.x())) >= 0) {
        mouseMode_ = MouseMode::ResizeColumn;
        return;
    }
    if (allowRowResize && point.x() < model_.FixedWidth() && (resizeIndex_ = RowBorderNear(point.y())) >= 0) {
        mouseMode_ = MouseMode::ResizeRow;
        return;
    }
    int row = -1;
    int column = -1;
    if (!CellAt(point, row, column))
        return;
    const bool inFixedRows = row < model_.FixedRowCount();
    const bool inFixedColumns = column < model_.FixedColumnCount();
    // Header clicks select the normal cells of their column or row; fixed cells never are.
    if (inFixedRows && inFixedColumns)
        model_.SelectAll();
    else if (inFixedRows)
        model_.SelectColumn(column);
    else if (inFixedColumns)
        model_.SelectRow(row);
    else {
        model_.ClearSelection();
        model_.SetFocusCell(row, column);
    }
    RepaintAll();
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent*) {
    mouseMode_ = MouseMode::None;
    resizeIndex_ = -1;
}

void CGridCtrl::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    QScrollBar* vertical = verticalScrollBar();
    if (wheelScrollLines_ == -1) {
        for (int i = 0; i < std::abs(delta / 120); ++i)
            vertical->triggerAction(
                delta > 0 ? QAbstractSlider::SliderPageStepSub : QAbstractSlider::SliderPageStepAdd);
    } else {
        const int lines = delta * wheelScrollLines_ / 120;
        for (int i = 0; i < std::abs(lines); ++i)
            vertical->triggerAction(
                lines > 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
    }
    event->accept();
}

void CGridCtrl::keyPressEvent(QKeyEvent* event) {
    titleTip_->hide();
    QAbstractScrollArea::keyPressEvent(event);
}

void CGridCtrl::leaveEvent(QEvent* event) {
    // The mouse left the grid, and with it the cell of a visible tip (the tip lets the mouse through).
    if (titleTip_->isVisible() && !titleTip_->CellRect().contains(QCursor::pos()))
        titleTip_->hide();
    QAbstractScrollArea::leaveEvent(event);
}

} // namespace velutra
