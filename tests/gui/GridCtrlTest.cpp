#include "GuiTests.h"
#include "grid/CGridCtrl.h"
#include "grid/TitleTip.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <numeric>

using velutra::CGridCtrl;

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void SendMouse(
    QWidget* target, QEvent::Type type, const QPoint& point, Qt::MouseButton button = Qt::NoButton) {
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton
        : button != Qt::NoButton                                        ? Qt::MouseButtons(button)
                                                                        : Qt::MouseButtons(Qt::NoButton);
    QMouseEvent event(type, point, target->mapToGlobal(point), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

int Sum(const std::vector<int>& sizes) {
    return std::accumulate(sizes.begin(), sizes.end(), 0);
}

} // namespace

void GridCtrlTest::sameCountAndCellChangesDoNotRepaint() {
    CGridCtrl grid;
    grid.resize(400, 300);
    grid.SetRows(5);
    grid.SetColumns(4);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    PaintCounter counter;
    grid.viewport()->installEventFilter(&counter);
    QCoreApplication::processEvents();
    counter.paints = 0;

    QVERIFY(grid.SetRows(5));
    QVERIFY(grid.SetColumns(4));
    QVERIFY(grid.SetCellText(1, 1, "12.4"));
    QVERIFY(grid.SetCellBackColor(1, 1, 0xD0D0D0));
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, 0);

    QVERIFY(grid.SetRows(6));
    QCoreApplication::processEvents();
    QVERIFY(counter.paints > 0);

    // Without drawing allowed a count change waits for the owner.
    counter.paints = 0;
    grid.SetDrawingAllowed(false);
    QVERIFY(grid.SetColumns(2));
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, 0);
}

void GridCtrlTest::expandToFitFillsAnAllFixedGridWithoutScrollBars() {
    // Too small for 17 rows of the default height: until they are fixed they would scroll.
    CGridCtrl grid;
    grid.resize(500, 150);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.SetRows(17);
    grid.SetColumns(9);
    grid.SetFixedRows(17);
    grid.SetFixedColumns(9);
    grid.ExpandToFit();
    QCoreApplication::processEvents();
    QCOMPARE(Sum(grid.Model().ColumnWidths()), grid.viewport()->width());
    QCOMPARE(Sum(grid.Model().RowHeights()), grid.viewport()->height());
    QCOMPARE(grid.viewport()->size(), QSize(500, 150));
    QVERIFY(!grid.horizontalScrollBar()->isVisible());
    QVERIFY(!grid.verticalScrollBar()->isVisible());

    // Normal rows taller than the room left by the fixed ones scroll, by the room's height a page.
    CGridCtrl tall;
    tall.resize(300, 200);
    tall.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tall));
    tall.SetRows(40);
    tall.SetColumns(2);
    tall.SetFixedRows(1);
    QCoreApplication::processEvents();
    const int room = tall.viewport()->height() - tall.Model().RowHeight(0);
    QCOMPARE(tall.verticalScrollBar()->pageStep(), room);
    QCOMPARE(tall.verticalScrollBar()->maximum(), tall.Model().TotalHeight(1) - room);
    QCOMPARE(tall.horizontalScrollBar()->maximum(), 0);
}

void GridCtrlTest::titleTipOnlyForTextWiderThanItsCell() {
    CGridCtrl grid;
    grid.resize(300, 120);
    grid.SetRows(3);
    grid.SetColumns(3);
    grid.SetFixedRows(3);
    grid.SetFixedColumns(3);
    grid.SetCellText(1, 0, "12.4");
    grid.SetCellText(1, 1, "Quadratic isentropic efficiency, smoothing for each condenser temperature");
    grid.show();
    grid.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&grid));
    QWidget* viewport = grid.viewport();

    const QRect fits = grid.CellRect(1, 0);
    SendMouse(viewport, QEvent::MouseMove, fits.center());
    QVERIFY(!grid.Tip()->isVisible());

    const QRect wide = grid.CellRect(1, 1);
    SendMouse(viewport, QEvent::MouseMove, wide.center());
    QVERIFY(grid.Tip()->isVisible());
    QCOMPARE(grid.Tip()->Text(), grid.GetCellText(1, 1));
    QCOMPARE(grid.Tip()->geometry().topLeft(), viewport->mapToGlobal(wide.topLeft()));
    QCOMPARE(grid.Tip()->height(), wide.height());
    QVERIFY(grid.Tip()->width() > wide.width());

    // Moving within the cell keeps it; leaving the cell hides it; a key press hides it too.
    SendMouse(viewport, QEvent::MouseMove, wide.center() + QPoint(3, 1));
    QVERIFY(grid.Tip()->isVisible());
    SendMouse(viewport, QEvent::MouseMove, fits.center());
    QVERIFY(!grid.Tip()->isVisible());
    SendMouse(viewport, QEvent::MouseMove, wide.center());
    QVERIFY(grid.Tip()->isVisible());
    QTest::keyClick(&grid, Qt::Key_Down);
    QVERIFY(!grid.Tip()->isVisible());

    // Switched off, no tip at all.
    grid.titleTips = false;
    SendMouse(viewport, QEvent::MouseMove, fits.center());
    SendMouse(viewport, QEvent::MouseMove, wide.center());
    QVERIFY(!grid.Tip()->isVisible());
}

void GridCtrlTest::wheelScrollsByTheUsersLineCount() {
    const int previous = QApplication::wheelScrollLines();
    for (const int lines : { 3, 5 }) {
        QApplication::setWheelScrollLines(lines);
        CGridCtrl grid;
        grid.resize(300, 200);
        grid.SetRows(60);
        grid.SetColumns(2);
        grid.SetFixedRows(1);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QScrollBar* bar = grid.verticalScrollBar();
        QVERIFY(bar->maximum() > 10 * bar->singleStep());
        const QPointF at(20, 50);
        // One notch towards the user scrolls `lines` lines down, one away scrolls them back up.
        QWheelEvent down(at, grid.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid.viewport(), &down);
        QCOMPARE(bar->value(), lines * bar->singleStep());
        QWheelEvent up(at, grid.viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid.viewport(), &up);
        QCOMPARE(bar->value(), 0);
    }
    QApplication::setWheelScrollLines(previous);
}

void GridCtrlTest::headerBordersResizeOnlyWhenAllowed() {
    CGridCtrl grid;
    grid.resize(400, 200);
    grid.SetRows(4);
    grid.SetColumns(3);
    grid.SetFixedRows(1);
    grid.SetFixedColumns(1);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QWidget* viewport = grid.viewport();
    const int width = grid.Model().ColumnWidth(1);
    const QPoint border(grid.CellRect(0, 1).right() + 1, grid.CellRect(0, 1).center().y());

    SendMouse(viewport, QEvent::MouseMove, border);
    QCOMPARE(viewport->cursor().shape(), Qt::SizeHorCursor);
    SendMouse(viewport, QEvent::MouseButtonPress, border, Qt::LeftButton);
    SendMouse(viewport, QEvent::MouseMove, border + QPoint(25, 0), Qt::LeftButton);
    SendMouse(viewport, QEvent::MouseButtonRelease, border + QPoint(25, 0), Qt::LeftButton);
    QCOMPARE(grid.Model().ColumnWidth(1), width + 25);

    // As the smoothed-map form sets it: the band is inert.
    grid.allowColumnResize = false;
    grid.allowRowResize = false;
    const QPoint moved(grid.CellRect(0, 1).right() + 1, border.y());
    SendMouse(viewport, QEvent::MouseMove, moved);
    QVERIFY(viewport->cursor().shape() != Qt::SizeHorCursor);
    SendMouse(viewport, QEvent::MouseButtonPress, moved, Qt::LeftButton);
    SendMouse(viewport, QEvent::MouseMove, moved + QPoint(25, 0), Qt::LeftButton);
    SendMouse(viewport, QEvent::MouseButtonRelease, moved + QPoint(25, 0), Qt::LeftButton);
    QCOMPARE(grid.Model().ColumnWidth(1), width + 25);
}

void GridCtrlTest::readsAsTableOfCellTexts() {
    CGridCtrl grid;
    grid.setAccessibleName("Smoothed map");
    grid.resize(300, 200);
    grid.SetRows(17);
    grid.SetColumns(9);
    grid.SetFixedRows(17);
    grid.SetFixedColumns(9);
    grid.SetCellText(3, 1, "344.3");
    grid.SetCellText(0, 1, "-40 F");
    grid.SetCellText(3, 0, "90 F");
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
    QVERIFY(table);
    QCOMPARE(table->role(), QAccessible::Table);
    QCOMPARE(table->text(QAccessible::Name), QString("Smoothed map"));
    QVERIFY(table->tableInterface());
    QCOMPARE(table->tableInterface()->rowCount(), 17);
    QCOMPARE(table->tableInterface()->columnCount(), 9);
    QCOMPARE(table->childCount(), 17 * 9);
    QAccessibleInterface* cell = table->tableInterface()->cellAt(3, 1);
    QVERIFY(cell);
    QCOMPARE(cell->role(), QAccessible::Cell);
    QCOMPARE(cell->text(QAccessible::Name), QString("344.3"));
    QCOMPARE(table->indexOfChild(cell), 3 * 9 + 1);
    const auto columnHeaders = cell->tableCellInterface()->columnHeaderCells();
    const auto rowHeaders = cell->tableCellInterface()->rowHeaderCells();
    QCOMPARE(columnHeaders.size(), 1);
    QCOMPARE(rowHeaders.size(), 1);
    QCOMPARE(columnHeaders[0]->text(QAccessible::Name), QString("-40 F"));
    QCOMPARE(rowHeaders[0]->text(QAccessible::Name), QString("90 F"));
    // A later text is read as it is now.
    grid.SetCellText(3, 1, "378.7");
    QCOMPARE(table->tableInterface()->cellAt(3, 1)->text(QAccessible::Name), QString("378.7"));
    // Rows that are gone are gone for the reader too.
    grid.SetRows(2);
    QCOMPARE(table->tableInterface()->cellAt(3, 1), nullptr);
    QCOMPARE(table->childCount(), 2 * 9);
}
