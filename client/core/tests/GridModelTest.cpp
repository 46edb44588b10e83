#include "core/GridModel.h"

#include <gtest/gtest.h>

namespace vtx::client {
namespace {

TEST(GridModel, GrowingKeepsCellsAndShrinkingDropsThem) {
    GridModel grid(2, 3);
    grid.setHeadingText(1, QStringLiteral("Produto"));
    grid.setText(1, 1, QStringLiteral("a"));
    grid.setText(2, 3, QStringLiteral("b"));
    grid.setMaxRows(5);
    EXPECT_EQ(grid.text(1, 1), QStringLiteral("a"));
    EXPECT_EQ(grid.text(2, 3), QStringLiteral("b"));
    EXPECT_EQ(grid.text(5, 3), QString());
    EXPECT_TRUE(grid.setText(5, 3, QStringLiteral("c")));

    grid.setMaxRows(1);
    grid.setMaxRows(5);
    EXPECT_EQ(grid.text(1, 1), QStringLiteral("a"));
    EXPECT_EQ(grid.text(2, 3), QString());
    EXPECT_EQ(grid.text(5, 3), QString());

    // Columns too; the heading row is row 0 and survives.
    grid.setMaxCols(4);
    EXPECT_EQ(grid.headingText(1), QStringLiteral("Produto"));
    EXPECT_TRUE(grid.setText(1, 4, QStringLiteral("d")));
}

TEST(GridModel, OutsideTheGridReadsEmptyAndWritesNothing) {
    GridModel grid(2, 2);
    EXPECT_FALSE(grid.setText(3, 1, QStringLiteral("x")));
    EXPECT_FALSE(grid.setText(1, 0, QStringLiteral("x")));
    EXPECT_FALSE(grid.setText(-1, 1, QStringLiteral("x")));
    EXPECT_EQ(grid.text(3, 1), QString());
    EXPECT_EQ(grid.text(1, 3), QString());
    EXPECT_FALSE(grid.setColumnHidden(3, true));
    EXPECT_FALSE(grid.setRowColor(0, GridModel::kRed));
    EXPECT_FALSE(grid.setActiveRow(3));
    grid.setMaxRows(-4);
    EXPECT_EQ(grid.maxRows(), 0);
    grid.setMaxRows(1 << 30);
    EXPECT_EQ(grid.maxRows(), GridModel::kMaxRows);
}

TEST(GridModel, ColumnProperties) {
    GridModel grid(1, 12);
    grid.setColumnHidden(12, true);
    grid.setAlignment(4, GridModel::Alignment::Right);
    grid.setColumnWidth(1, 30);
    EXPECT_TRUE(grid.isColumnHidden(12));
    EXPECT_FALSE(grid.isColumnHidden(11));
    EXPECT_EQ(grid.alignment(4), GridModel::Alignment::Right);
    EXPECT_EQ(grid.alignment(5), GridModel::Alignment::Left);
    EXPECT_EQ(grid.columnWidth(1), 30);
    // A hidden column keeps its cells.
    grid.setText(1, 12, QStringLiteral("1,00"));
    EXPECT_EQ(grid.text(1, 12), QStringLiteral("1,00"));
}

TEST(GridModel, SelectionColourAndActiveRow) {
    GridModel grid(4, 2);
    grid.setRowSelected(2, true);
    grid.setRowSelected(4, true);
    grid.setRowColor(3, GridModel::kRed);
    grid.setActiveRow(4);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{2, 4}));
    EXPECT_EQ(grid.rowColor(3), 255);
    EXPECT_EQ(grid.rowColor(2), GridModel::kBlack);

    grid.setMaxRows(3);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int>{2}));
    EXPECT_EQ(grid.activeRow(), 3);
    grid.clearSelection();
    EXPECT_TRUE(grid.selectedRows().empty());
}

TEST(GridModel, DeleteRowsMovesTheRestUpAndKeepsTheCount) {
    GridModel grid(4, 1);
    for (int row = 1; row <= 4; ++row) grid.setText(row, 1, QString::number(row));
    grid.setRowColor(3, GridModel::kRed);
    ASSERT_TRUE(grid.deleteRows(2, 1));
    EXPECT_EQ(grid.maxRows(), 4);
    EXPECT_EQ(grid.text(2, 1), QStringLiteral("3"));
    EXPECT_EQ(grid.rowColor(2), GridModel::kRed);
    EXPECT_EQ(grid.text(3, 1), QStringLiteral("4"));
    EXPECT_EQ(grid.text(4, 1), QString());
    ASSERT_TRUE(grid.deleteRows(3, 1000));
    EXPECT_EQ(grid.text(2, 1), QStringLiteral("3"));
    EXPECT_EQ(grid.text(3, 1), QString());
    EXPECT_FALSE(grid.deleteRows(0, 1));
}

TEST(GridModel, ClearKeepsTheColumns) {
    GridModel grid(3, 2);
    grid.setHeadingText(2, QStringLiteral("0"));
    grid.setColumnHidden(2, true);
    grid.setText(1, 1, QStringLiteral("x"));
    grid.setActiveRow(1);
    grid.clear();
    EXPECT_EQ(grid.maxRows(), 0);
    EXPECT_EQ(grid.maxCols(), 2);
    EXPECT_EQ(grid.activeRow(), 0);
    EXPECT_EQ(grid.headingText(2), QStringLiteral("0"));
    EXPECT_TRUE(grid.isColumnHidden(2));
    grid.setMaxRows(1);
    EXPECT_EQ(grid.text(1, 1), QString());
}

}  // namespace
}  // namespace vtx::client
