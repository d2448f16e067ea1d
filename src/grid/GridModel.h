#pragma once

#include "grid/GridCell.h"

#include <set>
#include <vector>

namespace velutra {

// Spreads the difference between `total` and the sum of `sizes` over them: every size changes by
// the truncated share, and the first |remainder| sizes by one more, so that they sum to `total`.
void ExpandToFit(std::vector<int>& sizes, int total);

// The data of the grid widget without its window: counts, cells, row heights and column widths,
// the focus cell and the selection. The fixed rows and columns are the first ones.
class GridModel {
public:
    int RowCount() const { return static_cast<int>(rowHeights_.size()); }
    int ColumnCount() const { return static_cast<int>(columnWidths_.size()); }
    int FixedRowCount() const { return fixedRows_; }
    int FixedColumnCount() const { return fixedColumns_; }

    // Count changes; false for a negative count. Shrinking below the fixed count lowers it, and
    // a focus cell beyond the new count is dropped. New rows and columns take the default sizes.
    // A failed allocation throws std::bad_alloc and leaves the counts as they were.
    bool SetRows(int count);
    bool SetColumns(int count);
    // Raises the row (column) count to the fixed count first when it is smaller.
    bool SetFixedRows(int count);
    bool SetFixedColumns(int count);

    bool Contains(int row, int column) const {
        return row >= 0 && row < RowCount() && column >= 0 && column < ColumnCount();
    }
    bool IsFixed(int row, int column) const { return row < fixedRows_ || column < fixedColumns_; }

    // nullptr outside the grid.
    const GridCell* Cell(int row, int column) const;

    // Each returns false and changes nothing outside the grid.
    bool SetCell(const CellUpdate& update);
    bool SetCellText(int row, int column, const std::string& text);
    bool SetCellBackColor(int row, int column, GridColor color);

    // Sizes; -1 outside the grid.
    int RowHeight(int row) const;
    int ColumnWidth(int column) const;
    bool SetRowHeight(int row, int height);
    bool SetColumnWidth(int column, int width);
    const std::vector<int>& RowHeights() const { return rowHeights_; }
    const std::vector<int>& ColumnWidths() const { return columnWidths_; }
    int TotalHeight(int fromRow = 0) const;
    int TotalWidth(int fromColumn = 0) const;
    int FixedHeight() const;
    int FixedWidth() const;

    void ExpandColumnsToFit(int clientWidth) { ExpandToFit(columnWidths_, clientWidth); }
    void ExpandRowsToFit(int clientHeight) { ExpandToFit(rowHeights_, clientHeight); }

    // The default font goes into every existing cell and into new ones.
    void SetDefaultFont(const GridFont& font);
    const GridFont& DefaultFont() const { return defaultFont_; }
    int defaultRowHeight = 30;
    int defaultColumnWidth = 60;

    // Focus cell, (-1, -1) when none.
    int FocusRow() const { return focusRow_; }
    int FocusColumn() const { return focusColumn_; }
    void SetFocusCell(int row, int column);

    // Selected normal cells; fixed cells are never selected.
    const std::set<long long>& Selection() const { return selection_; }
    void ClearSelection();
    void SelectRow(int row);
    void SelectColumn(int column);
    void SelectAll();
    bool IsSelected(int row, int column) const;

private:
    GridCell NewCell(const GridCell* above) const;
    void Select(int row, int column);
    static long long SelectionKey(int row, int column) {
        return static_cast<long long>(column) * 65536 + row;
    }

    std::vector<int> rowHeights_;
    std::vector<int> columnWidths_;
    std::vector<std::vector<GridCell>> cells_; // [row][column]
    int fixedRows_ = 0;
    int fixedColumns_ = 0;
    int focusRow_ = -1;
    int focusColumn_ = -1;
    std::set<long long> selection_;
    GridFont defaultFont_;
};

} // namespace velutra
