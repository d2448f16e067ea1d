#pragma once

#include "grid/GridModel.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QString>

namespace velutra {

class TitleTip;

inline QColor ToQColor(GridColor color) {
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}
inline GridColor FromQColor(const QColor& color) {
    return static_cast<GridColor>(color.red()) | static_cast<GridColor>(color.green()) << 8
        | static_cast<GridColor>(color.blue()) << 16;
}

// A spreadsheet-like table of cells whose first rows and columns can be fixed: fixed cells do
// not scroll and are drawn as raised buttons. The smoothed-map form shows its map read-only in
// one, with every cell fixed and the grid stretched to its window. Texts wider than their cell
// are shown whole in a title tip while the mouse rests on them. Assistive tools see a table
// whose cells read their texts.
class CGridCtrl : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit CGridCtrl(QWidget* parent = nullptr);
    ~CGridCtrl() override;

    // Count changes; true on success. Changing a count resets the scroll ranges and repaints;
    // setting the count it already has does nothing. A failed allocation throws std::bad_alloc
    // and changes nothing.
    bool SetRows(int count);
    bool SetColumns(int count);
    bool SetFixedRows(int count);
    bool SetFixedColumns(int count);
    int GetRowCount() const { return model_.RowCount(); }
    int GetColumnCount() const { return model_.ColumnCount(); }

    // False and no change outside the grid; none of them repaints.
    bool SetCell(const CellUpdate& update);
    bool SetCellText(int row, int column, const QString& text);
    bool SetCellBackColor(int row, int column, GridColor color);
    QString GetCellText(int row, int column) const;

    // Stretches the columns, then the rows, then the columns again to fill the client area
    // exactly. The scroll ranges are not recomputed.
    void ExpandToFit();
    void ExpandColumnsToFit();
    void ExpandRowsToFit();
    void ResetScrollBars();

    // When drawing is not allowed, count and size changes do not repaint.
    void SetDrawingAllowed(bool allowed) { drawingAllowed_ = allowed; }

    const GridModel& Model() const { return model_; }
    // A cell's rectangle in client coordinates as it is laid out now (it may be scrolled out).
    QRect CellRect(int row, int column) const;
    // The cell under a client point, or false.
    bool CellAt(const QPoint& point, int& row, int& column) const;
    TitleTip* Tip() const { return titleTip_; }
    int WheelScrollLines() const { return wheelScrollLines_; }
    // The margin left and right of a cell's text: the width of a space in the default font.
    int Margin() const { return margin_; }

    // Members the owner sets directly.
    bool editable = true;
    GridColor textColor;
    GridColor textBackColor;
    GridColor backColor;
    GridColor fixedTextColor;
    GridColor fixedBackColor;
    GridColor gridLineColor = 0;
    int gridLines = 3; // 1 horizontal, 2 vertical, 3 both
    bool doubleBuffered = true;
    bool titleTips = true;
    bool allowRowResize = true;
    bool allowColumnResize = true;
    int resizeCaptureRange = 3;

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    enum class MouseMode { None, ResizeColumn, ResizeRow };

    void RepaintAll();
    void ApplyDefaultFont();
    void FollowSystemColours();
    void CountsChanged();
    void Draw(QPainter& painter);
    void DrawFixedCell(QPainter& painter, int row, int column, const QRect& rect);
    void DrawNormalCell(QPainter& painter, int row, int column, const QRect& rect);
    void DrawText(QPainter& painter, const GridCell& cell, QRect rect, const QColor& color, bool bold);
    int ColumnLeft(int column) const;
    int RowTop(int row) const;
    // The column (row) whose right (bottom) border lies within the capture range, or -1.
    int ColumnBorderNear(int x) const;
    int RowBorderNear(int y) const;
    void UpdateTitleTip(const QPoint& point);

    GridModel model_;
    int margin_ = 0;
    int wheelScrollLines_ = 3;
    bool drawingAllowed_ = true;
    TitleTip* titleTip_;
    MouseMode mouseMode_ = MouseMode::None;
    int resizeIndex_ = -1;
    // The system colours the default colours were taken from.
    GridColor systemText_;
    GridColor systemWindow_;
    GridColor systemShadow_;
    GridColor systemFace_;
};

} // namespace velutra
