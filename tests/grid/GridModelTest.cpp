#include "grid/GridModel.h"

#include <gtest/gtest.h>
#include <numeric>
#include <stdexcept>

namespace velutra {
namespace {

int Sum(const std::vector<int>& sizes) {
    return std::accumulate(sizes.begin(), sizes.end(), 0);
}

TEST(ExpandToFit, SpreadsTheDifferenceSoThatSizesFillTheClientExactly) {
    // 9 columns of 910 pixels in 900: every column loses 1 (901), then the first one 1 more.
    std::vector<int> columns { 100, 100, 100, 100, 100, 100, 100, 100, 110 };
    ExpandToFit(columns, 900);
    EXPECT_EQ(columns, (std::vector<int> { 98, 99, 99, 99, 99, 99, 99, 99, 109 }));

    // Growing: 17 rows of 20 into 361 gives each 1 more and the first 4 one further.
    std::vector<int> rows(17, 20);
    ExpandToFit(rows, 361);
    EXPECT_EQ(rows[0], 22);
    EXPECT_EQ(rows[3], 22);
    EXPECT_EQ(rows[4], 21);
    EXPECT_EQ(rows[16], 21);

    // Whatever the sizes and the client, they sum to it afterwards.
    for (int total : { 0, 1, 7, 99, 100, 101, 555, 1000 })
        for (int n : { 1, 2, 3, 8, 9, 17 }) {
            std::vector<int> sizes(static_cast<std::size_t>(n));
            for (int i = 0; i < n; ++i)
                sizes[static_cast<std::size_t>(i)] = 13 * i % 29 + 5;
            ExpandToFit(sizes, total);
            EXPECT_EQ(Sum(sizes), total) << n << " sizes into " << total;
        }

    std::vector<int> none;
    ExpandToFit(none, 500);
    EXPECT_TRUE(none.empty());
}

TEST(GridModel, CountChangesKeepFixedCountsFocusAndCellsConsistent) {
    GridModel grid;
    grid.defaultRowHeight = 21;
    grid.defaultColumnWidth = 64;
    ASSERT_TRUE(grid.SetRows(5));
    ASSERT_TRUE(grid.SetColumns(4));
    EXPECT_EQ(grid.RowHeights(), std::vector<int>(5, 21));
    EXPECT_EQ(grid.ColumnWidths(), std::vector<int>(4, 64));
    ASSERT_NE(grid.Cell(4, 3), nullptr);
    EXPECT_EQ(grid.Cell(4, 3)->image, -1);
    EXPECT_EQ(grid.Cell(4, 3)->backColor, kDefaultColor);

    // Raising the fixed count above the row count grows the rows first.
    ASSERT_TRUE(grid.SetFixedRows(7));
    EXPECT_EQ(grid.RowCount(), 7);
    EXPECT_EQ(grid.FixedRowCount(), 7);
    // Shrinking below the fixed count lowers it; the removed rows' cells are gone.
    ASSERT_TRUE(grid.SetRows(3));
    EXPECT_EQ(grid.FixedRowCount(), 3);
    EXPECT_EQ(grid.Cell(3, 0), nullptr);
    EXPECT_FALSE(grid.SetRows(-1));
    EXPECT_EQ(grid.RowCount(), 3);

    // The focus cell goes when its row is removed or becomes fixed.
    grid.SetRows(6);
    grid.SetFixedRows(1);
    grid.SetFocusCell(4, 2);
    EXPECT_EQ(grid.FocusRow(), 4);
    grid.SetRows(4);
    EXPECT_EQ(grid.FocusRow(), -1);
    grid.SetFocusCell(2, 1);
    grid.SetFixedColumns(2);
    EXPECT_EQ(grid.FocusColumn(), -1);
    grid.SetFocusCell(3, 3);
    grid.SetColumns(3);
    EXPECT_EQ(grid.FocusRow(), -1);
}

TEST(GridModel, NewCellsTakeTheFormatOfTheCellAboveAndTheDefaultFont) {
    GridModel grid;
    grid.SetDefaultFont({ "Sans", 9, 400, false });
    grid.SetRows(2);
    grid.SetColumns(3);
    CellUpdate centred;
    centred.row = 1;
    centred.column = 2;
    centred.mask = cellmask::kFormat;
    centred.format = cellformat::kCentre;
    ASSERT_TRUE(grid.SetCell(centred));
    grid.SetRows(4);
    EXPECT_EQ(grid.Cell(3, 2)->format, cellformat::kCentre);
    EXPECT_EQ(grid.Cell(3, 1)->format, 0u);
    EXPECT_EQ(grid.Cell(3, 2)->font.family, "Sans");

    // A new font reaches every existing cell.
    grid.SetDefaultFont({ "Serif", 12, 400, false });
    EXPECT_EQ(grid.Cell(0, 0)->font.family, "Serif");
    EXPECT_EQ(grid.Cell(3, 2)->font.pointSize, 12);
}

TEST(GridModel, SetCellAppliesOnlyTheMaskedValuesAndNothingOutsideTheGrid) {
    GridModel grid;
    grid.SetRows(17);
    grid.SetColumns(9);
    CellUpdate update;
    update.row = 2;
    update.column = 4;
    update.mask = cellmask::kText | cellmask::kFormat;
    update.text = "Capacity";
    update.format = cellformat::kWordBreak;
    update.backColor = 0x123456; // not in the mask
    update.image = 7;
    ASSERT_TRUE(grid.SetCell(update));
    EXPECT_EQ(grid.Cell(2, 4)->text, "Capacity");
    EXPECT_EQ(grid.Cell(2, 4)->format, cellformat::kWordBreak);
    EXPECT_EQ(grid.Cell(2, 4)->backColor, kDefaultColor);
    EXPECT_EQ(grid.Cell(2, 4)->image, -1);

    EXPECT_TRUE(grid.SetCellBackColor(0, 8, 0xD0D0D0));
    EXPECT_EQ(grid.Cell(0, 8)->backColor, 0xD0D0D0u);
    for (auto [row, column] :
        { std::pair { 17, 0 }, std::pair { 0, 9 }, std::pair { -1, 0 }, std::pair { 0, -1 } }) {
        EXPECT_FALSE(grid.SetCellText(row, column, "x"));
        EXPECT_FALSE(grid.SetCellBackColor(row, column, 0));
        EXPECT_EQ(grid.Cell(row, column), nullptr);
        EXPECT_EQ(grid.RowHeight(row < 0 ? row : 17), -1);
    }
}

TEST(GridModel, SelectionNeverHoldsFixedCells) {
    GridModel grid;
    grid.SetFixedRows(4);
    grid.SetFixedColumns(3);
    grid.SetFixedRows(1);
    grid.SetFixedColumns(1);
    grid.SelectAll();
    EXPECT_EQ(grid.Selection().size(), 6u);
    EXPECT_FALSE(grid.IsSelected(0, 2));
    // Every row and column fixed, as the smoothed map has them: nothing stays or can be selected.
    grid.SetFixedRows(4);
    grid.SetFixedColumns(3);
    EXPECT_TRUE(grid.Selection().empty());
    grid.SelectRow(2);
    EXPECT_TRUE(grid.Selection().empty());
}

} // namespace
} // namespace velutra
