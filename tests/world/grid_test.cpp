#include "world/grid.h"

#include <gtest/gtest.h>

#include <memory>

TEST(GridTest, CellsAreAddressedByColumnThenRow) {
    TGrid2D<int> grid(3, 2, 7);
    EXPECT_EQ(grid.Width(), 3);
    EXPECT_EQ(grid.Height(), 2);
    EXPECT_EQ(grid(2, 1), 7);
    grid(2, 0) = 1;
    grid(0, 1) = 2;
    grid(1, 1) = 3;
    EXPECT_EQ(grid(2, 0), 1);
    EXPECT_EQ(grid(0, 1), 2);
    EXPECT_EQ(grid(1, 1), 3);
    EXPECT_EQ(grid(1, 0), 7);
    EXPECT_TRUE(grid.Contains(2, 1));
    EXPECT_FALSE(grid.Contains(1, 2));
    EXPECT_FALSE(grid.Contains(-1, 0));
}

TEST(GridTest, FillAndResizeSetEveryCell) {
    TGrid2D<std::shared_ptr<int>> grid(2, 2);
    EXPECT_EQ(grid(1, 1), nullptr);
    const auto shared = std::make_shared<int>(5);
    grid.Fill(shared);
    EXPECT_EQ(grid(0, 1), shared);
    grid.Resize(4, 1);
    EXPECT_EQ(grid.Width(), 4);
    EXPECT_EQ(grid.Height(), 1);
    EXPECT_EQ(grid(3, 0), nullptr);
    EXPECT_EQ(shared.use_count(), 1); // the grid released its references
    EXPECT_THROW(grid.Resize(-1, 3), std::invalid_argument);
    EXPECT_EQ(grid.Width(), 4); // a refused resize changes nothing
}
