#include "grid/GridModel.h"

#include <algorithm>
#include <numeric>

namespace velutra {

void ExpandToFit(std::vector<int>& sizes, int total) {
    const int n = static_cast<int>(sizes.size());
    if (n <= 0)
        return;
    const int d = total - std::accumulate(sizes.begin(), sizes.end(), 0);
    for (int& size : sizes)
        size += d / n;
    // Division truncates toward zero, so the remainder has the sign of d.
    const int rest = d % n;
    for (int i = 0; i < (rest < 0 ? -rest : rest); ++i)
        sizes[static_cast<std::size_t>(i)] += rest < 0 ? -1 : 1;
}

GridCell GridModel::NewCell(const GridCell* above) const {
    GridCell cell;
    cell.font = defaultFont_;
    // A new cell below another takes its text layout, so that a column keeps one alignment.
    if (above != nullptr)
        cell.format = above->format;
    return cell;
}

// Count changes build the new table aside and swap it in, so that a failed allocation
// (std::bad_alloc to the caller) leaves the grid as it was.
bool GridModel::SetRows(int count) {
    if (count < 0)
        return false;
    if (count == RowCount())
        return true;
    const auto kept = static_cast<std::size_t>(std::min(count, RowCount()));
    const auto columns = static_cast<std::size_t>(ColumnCount());
    std::vector<std::vector<GridCell>> cells(
        cells_.begin(), cells_.begin() + static_cast<std::ptrdiff_t>(kept));
    for (std::size_t r = kept; r < static_cast<std::size_t>(count); ++r) {
        std::vector<GridCell> row;
        row.reserve(columns);
        for (std::size_t c = 0; c < columns; ++c)
            row.push_back(NewCell(r > 0 && c > 0 ? &cells[r - 1][c] : nullptr));
        cells.push_back(std::move(row));
    }
    std::vector<int> heights(rowHeights_.begin(), rowHeights_.begin() + static_cast<std::ptrdiff_t>(kept));
    heights.resize(static_cast<std::size_t>(count), defaultRowHeight);
    cells_.swap(cells);
    rowHeights_.swap(heights);
    if (fixedRows_ > count)
        fixedRows_ = count;
    if (focusRow_ >= count)
        SetFocusCell(-1, -1);
    std::erase_if(selection_, [count](long long key) { return key % 65536 >= count; });
    return true;
}

bool GridModel::SetColumns(int count) {
    if (count < 0)
        return false;
    if (count == ColumnCount())
        return true;
    const auto kept = static_cast<std::size_t>(std::min(count, ColumnCount()));
    auto cells = cells_;
    for (std::size_t r = 0; r < cells.size(); ++r) {
        cells[r].resize(kept);
        for (std::size_t c = kept; c < static_cast<std::size_t>(count); ++c)
            cells[r].push_back(NewCell(r > 0 && c > 0 ? &cells[r - 1][c] : nullptr));
    }
    std::vector<int> widths(columnWidths_.begin(), columnWidths_.begin() + static_cast<std::ptrdiff_t>(kept));
    widths.resize(static_cast<std::size_t>(count), defaultColumnWidth);
    cells_.swap(cells);
    columnWidths_.swap(widths);
    if (fixedColumns_ > count)
        fixedColumns_ = count;
    if (focusColumn_ >= count)
        SetFocusCell(-1, -1);
    std::erase_if(selection_, [count](long long key) { return key / 65536 >= count; });
    return true;
}

bool GridModel::SetFixedRows(int count) {
    if (count < 0)
        return false;
    if (RowCount() < count)
        SetRows(count);
    if (focusRow_ >= 0 && focusRow_ < count)
        SetFocusCell(-1, -1);
    fixedRows_ = count;
    std::erase_if(selection_, [count](long long key) { return key % 65536 < count; });
    return true;
}

bool GridModel::SetFixedColumns(int count) {
    if (count < 0)
        return false;
    if (ColumnCount() < count)
        SetColumns(count);
    if (focusColumn_ >= 0 && focusColumn_ < count)
        SetFocusCell(-1, -1);
    fixedColumns_ = count;
    std::erase_if(selection_, [count](long long key) { return key / 65536 < count; });
    return true;
}

const GridCell* GridModel::Cell(int row, int column) const {
    if (!Contains(row, column))
        return nullptr;
    return &cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

bool GridModel::SetCell(const CellUpdate& update) {
    if (!Contains(update.row, update.column))
        return false;
    GridCell& cell = cells_[static_cast<std::size_t>(update.row)][static_cast<std::size_t>(update.column)];
    if (update.mask & cellmask::kText)
        cell.text = update.text;
    if (update.mask & cellmask::kImage)
        cell.image = update.image;
    if (update.mask & cellmask::kUserData)
        cell.userData = update.userData;
    if (update.mask & cellmask::kState)
        cell.state = update.state;
    if (update.mask & cellmask::kBackColor)
        cell.backColor = update.backColor;
    if (update.mask & cellmask::kTextColor)
        cell.textColor = update.textColor;
    if (update.mask & cellmask::kFormat)
        cell.format = update.format;
    if (update.mask & cellmask::kFont)
        cell.font = update.font;
    return true;
}

bool GridModel::SetCellText(int row, int column, const std::string& text) {
    CellUpdate update;
    update.row = row;
    update.column = column;
    update.mask = cellmask::kText;
    update.text = text;
    return SetCell(update);
}

bool GridModel::SetCellBackColor(int row, int column, GridColor color) {
    CellUpdate update;
    update.row = row;
    update.column = column;
    update.mask = cellmask::kBackColor;
    update.backColor = color;
    return SetCell(update);
}

int GridModel::RowHeight(int row) const {
    return row >= 0 && row < RowCount() ? rowHeights_[static_cast<std::size_t>(row)] : -1;
}

int GridModel::ColumnWidth(int column) const {
    return column >= 0 && column < ColumnCount() ? columnWidths_[static_cast<std::size_t>(column)] : -1;
}

bool GridModel::SetRowHeight(int row, int height) {
    if (row < 0 || row >= RowCount() || height < 0)
        return false;
    rowHeights_[static_cast<std::size_t>(row)] = height;
    return true;
}

bool GridModel::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= ColumnCount() || width < 0)
        return false;
    columnWidths_[static_cast<std::size_t>(column)] = width;
    return true;
}

int GridModel::TotalHeight(int fromRow) const {
    return std::accumulate(
        rowHeights_.begin() + std::min(std::max(fromRow, 0), RowCount()), rowHeights_.end(), 0);
}

int GridModel::TotalWidth(int fromColumn) const {
    return std::accumulate(
        columnWidths_.begin() + std::min(std::max(fromColumn, 0), ColumnCount()), columnWidths_.end(), 0);
}

int GridModel::FixedHeight() const {
    return std::accumulate(rowHeights_.begin(), rowHeights_.begin() + fixedRows_, 0);
}

int GridModel::FixedWidth() const {
    return std::accumulate(columnWidths_.begin(), columnWidths_.begin() + fixedColumns_, 0);
}

void GridModel::SetDefaultFont(const GridFont& font) {
    defaultFont_ = font;
    for (auto& row : cells_)
        for (auto& cell : row)
            cell.font = font;
}

void GridModel::SetFocusCell(int row, int column) {
    if (Contains(row, column)) {
        focusRow_ = row;
        focusColumn_ = column;
    } else {
        focusRow_ = focusColumn_ = -1;
    }
}

void GridModel::ClearSelection() {
    for (long long key : selection_)
        cells_[static_cast<std::size_t>(key % 65536)][static_cast<std::size_t>(key / 65536)].state
            &= ~kCellSelected;
    selection_.clear();
}

void GridModel::Select(int row, int column) {
    if (!Contains(row, column) || IsFixed(row, column))
        return;
    selection_.insert(SelectionKey(row, column));
    cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)].state |= kCellSelected;
}

void GridModel::SelectRow(int row) {
    ClearSelection();
    for (int c = fixedColumns_; c < ColumnCount(); ++c)
        Select(row, c);
}

void GridModel::SelectColumn(int column) {
    ClearSelection();
    for (int r = fixedRows_; r < RowCount(); ++r)
        Select(r, column);
}

void GridModel::SelectAll() {
    ClearSelection();
    for (int r = fixedRows_; r < RowCount(); ++r)
        for (int c = fixedColumns_; c < ColumnCount(); ++c)
            Select(r, c);
}

bool GridModel::IsSelected(int row, int column) const {
    return selection_.contains(SelectionKey(row, column));
}

} // namespace velutra
