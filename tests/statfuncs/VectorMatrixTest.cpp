// Tests of Vector and Matrix: filling every index, deep copies in both directions,
// self-assignment and copies of objects without storage.
#include "Matrix.h"
#include "Vector.h"

#include <gtest/gtest.h>

namespace
{
void Fill(Matrix& m, int rows, int cols)
{
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j)
            m[i][j] = 10.0 * i + j;
}

void ExpectFilled(const Matrix& m, int rows, int cols)
{
    ASSERT_EQ(m.GetRows(), rows);
    ASSERT_EQ(m.GetCols(), cols);
    for (int i = 0; i < rows; ++i) {
        ASSERT_EQ(m[i].GetSize(), cols);
        for (int j = 0; j < cols; ++j)
            EXPECT_EQ(m[i][j], 10.0 * i + j) << i << "," << j;
    }
}
} // namespace

TEST(MatrixTest, WideAndTallShapesHoldEveryIndex)
{
    Matrix wide(2, 6);
    Fill(wide, 2, 6);
    ExpectFilled(wide, 2, 6);

    Matrix tall;
    tall.init(6, 2);
    Fill(tall, 6, 2);
    ExpectFilled(tall, 6, 2);
}

TEST(MatrixTest, CopiesAreIndependentBothWays)
{
    Matrix original(2, 3);
    Fill(original, 2, 3);

    Matrix copied(original);
    copied[1][2] = -1;
    ExpectFilled(original, 2, 3);
    original[0][0] = -2;
    EXPECT_EQ(copied[0][0], 0.0);

    Matrix assigned(5, 5);
    assigned = copied;
    EXPECT_EQ(assigned.GetRows(), 2);
    EXPECT_EQ(assigned.GetCols(), 3);
    EXPECT_EQ(assigned[1][2], -1.0);
    assigned[1][2] = 7;
    EXPECT_EQ(copied[1][2], -1.0);
    copied[0][1] = 9;
    EXPECT_EQ(assigned[0][1], 1.0);
}

TEST(MatrixTest, SelfAssignmentKeepsContents)
{
    Matrix m(3, 4);
    Fill(m, 3, 4);
    Matrix& alias = m;
    m = alias;
    ExpectFilled(m, 3, 4);

    Vector v(3);
    v[2] = 4.5;
    Vector& vAlias = v;
    v = vAlias;
    ASSERT_EQ(v.GetSize(), 3);
    EXPECT_EQ(v[2], 4.5);
}

TEST(MatrixTest, ObjectsWithoutStorageCopyAsEmpty)
{
    const Vector emptyVector;
    Vector vectorCopy(emptyVector);
    EXPECT_FALSE(vectorCopy.HasStorage());
    Vector vectorAssigned(4);
    vectorAssigned = emptyVector;
    EXPECT_FALSE(vectorAssigned.HasStorage());
    EXPECT_EQ(vectorAssigned.GetSize(), 0);

    const Matrix emptyMatrix;
    Matrix matrixCopy(emptyMatrix);
    EXPECT_FALSE(matrixCopy.HasStorage());
    Matrix matrixAssigned(2, 2);
    matrixAssigned = emptyMatrix;
    EXPECT_FALSE(matrixAssigned.HasStorage());
    EXPECT_EQ(matrixAssigned.GetRows(), 0);
}

TEST(MatrixTest, InitReplacesEarlierStorage)
{
    Matrix m(2, 2);
    Fill(m, 2, 2);
    m.init(3, 5);
    Fill(m, 3, 5);
    ExpectFilled(m, 3, 5);

    Vector v(2);
    v.init(6);
    v[5] = 1.5;
    EXPECT_EQ(v.GetSize(), 6);
    EXPECT_EQ(v[5], 1.5);
}
