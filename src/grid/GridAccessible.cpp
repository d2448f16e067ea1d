#include "grid/GridAccessible.h"

#include "grid/CGridCtrl.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <map>

namespace velutra {

namespace {

class GridTableAccessible;

// One cell of a grid: its name is its text. Row and column headers are the fixed cells of the
// first row and column.
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridCellAccessible(CGridCtrl* grid, int row, int column)
        : grid_(grid)
        , row_(row)
        , column_(column) { }

    bool isValid() const override { return grid_ && grid_->Model().Contains(row_, column_); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_ ? grid_->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(grid_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        if (!isValid())
            return {};
        if (t == QAccessible::Name || t == QAccessible::Value)
            return grid_->GetCellText(row_, column_);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect local = grid_->CellRect(row_, column_);
        return QRect(grid_->viewport()->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        if (!isValid())
            return state;
        state.selectable = !grid_->Model().IsFixed(row_, column_);
        state.selected = grid_->Model().IsSelected(row_, column_);
        const QRect local = grid_->CellRect(row_, column_);
        state.invisible = !local.intersects(grid_->viewport()->rect());
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this)
                                                       : nullptr;
    }

    bool isSelected() const override { return isValid() && grid_->Model().IsSelected(row_, column_); }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<CGridCtrl> grid_;
    int row_;
    int column_;
};

class GridTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridTableAccessible(CGridCtrl* grid)
        : QAccessibleWidget(grid, QAccessible::Table) { }
    ~GridTableAccessible() override { DropCells(); }

    CGridCtrl* Grid() const { return static_cast<CGridCtrl*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface* child(int index) const override {
        const int columns = columnCount();
        if (index < 0 || columns == 0 || index >= childCount())
            return nullptr;
        return cellAt(index / columns, index % columns);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr || child->role() != QAccessible::Cell)
            return -1;
        auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
        if (cell == nullptr || cell->table() != this)
            return -1;
        return cell->rowIndex() * columnCount() + cell->columnIndex();
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        int row = -1;
        int column = -1;
        if (!Grid()->CellAt(Grid()->viewport()->mapFromGlobal(QPoint(x, y)), row, column))
            return nullptr;
        return cellAt(row, column);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (!Grid()->Model().Contains(row, column))
            return nullptr;
        const auto found = cells_.find({ row, column });
        if (found != cells_.end())
            return QAccessible::accessibleInterface(found->second);
        auto* cell = new GridCellAccessible(Grid(), row, column);
        cells_[{ row, column }] = QAccessible::registerAccessibleInterface(cell);
        return cell;
    }
    int selectedCellCount() const override { return static_cast<int>(Grid()->Model().Selection().size()); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> cells;
        for (long long key : Grid()->Model().Selection())
            cells.append(cellAt(static_cast<int>(key % 65536), static_cast<int>(key / 65536)));
        return cells;
    }
    QString columnDescription(int column) const override {
        return Grid()->Model().FixedRowCount() > 0 ? Grid()->GetCellText(0, column) : QString();
    }
    QString rowDescription(int row) const override {
        return Grid()->Model().FixedColumnCount() > 0 ? Grid()->GetCellText(row, 0) : QString();
    }
    int columnCount() const override { return Grid()->Model().ColumnCount(); }
    int rowCount() const override { return Grid()->Model().RowCount(); }
    int selectedColumnCount() const override { return static_cast<int>(selectedColumns().size()); }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    QList<int> selectedColumns() const override {
        QList<int> columns;
        for (int c = 0; c < columnCount(); ++c)
            if (isColumnSelected(c))
                columns.append(c);
        return columns;
    }
    QList<int> selectedRows() const override {
        QList<int> rows;
        for (int r = 0; r < rowCount(); ++r)
            if (isRowSelected(r))
                rows.append(r);
        return rows;
    }
    bool isColumnSelected(int column) const override {
        const GridModel& model = Grid()->Model();
        if (column < model.FixedColumnCount() || model.FixedRowCount() >= model.RowCount())
            return false;
        for (int r = model.FixedRowCount(); r < model.RowCount(); ++r)
            if (!model.IsSelected(r, column))
                return false;
        return true;
    }
    bool isRowSelected(int row) const override {
        const GridModel& model = Grid()->Model();
        if (row < model.FixedRowCount() || model.FixedColumnCount() >= model.ColumnCount())
            return false;
        for (int c = model.FixedColumnCount(); c < model.ColumnCount(); ++c)
            if (!model.IsSelected(row, c))
                return false;
        return true;
    }
    // The grid is read-only for assistive tools.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { DropCells(); }

private:
    void DropCells() {
        for (const auto& [place, id] : cells_)
            QAccessible::deleteAccessibleInterface(id);
        cells_.clear();
    }

    // Interfaces handed out, by (row, column); they stay valid while their cell exists.
    mutable std::map<std::pair<int, int>, QAccessible::Id> cells_;
};

QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const {
    QList<QAccessibleInterface*> headers;
    auto* table = static_cast<GridTableAccessible*>(parent());
    if (isValid() && table && grid_->Model().FixedRowCount() > 0 && row_ > 0)
        headers.append(table->cellAt(0, column_));
    return headers;
}

QList<QAccessibleInterface*> GridCellAccessible::rowHeaderCells() const {
    QList<QAccessibleInterface*> headers;
    auto* table = static_cast<GridTableAccessible*>(parent());
    if (isValid() && table && grid_->Model().FixedColumnCount() > 0 && column_ > 0)
        headers.append(table->cellAt(row_, 0));
    return headers;
}

QAccessibleInterface* GridFactory(const QString&, QObject* object) {
    if (auto* grid = qobject_cast<CGridCtrl*>(object))
        return new GridTableAccessible(grid);
    return nullptr;
}

} // namespace

void InstallGridAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(GridFactory);
        return true;
    }();
    (void)installed;
}

} // namespace velutra
