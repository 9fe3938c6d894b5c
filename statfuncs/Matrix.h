// Matrix: a dense, owned table of doubles stored as an array of Vector rows, with value
// semantics; the contingency-table calculations hand their counts over in one.
#pragma once

#include "Vector.h"

#include <memory>

/// A rows x cols table of doubles reached as matrix[i][j]. Indexing is zero-based and unchecked;
/// a default-constructed matrix has no storage. Copies and assignments copy every row.
class Matrix
{
public:
    Matrix() = default;
    /// Same as init(rows, cols).
    Matrix(int rows, int cols);
    Matrix(const Matrix& other);
    ~Matrix() = default;

    /// Sets the counts and allocates rows vectors of cols elements each (no row array when
    /// rows is not positive); any earlier storage is released.
    void init(int rows, int cols);

    Vector& operator[](int row) { return m_rows[row]; }
    const Vector& operator[](int row) const { return m_rows[row]; }

    /// Deep copy; assigning a matrix to itself changes nothing.
    const Matrix& operator=(const Matrix& other);

    int GetRows() const { return m_rowCount; }
    int GetCols() const { return m_colCount; }
    bool HasStorage() const { return m_rows != nullptr; }

private:
    void CopyRowsFrom(const Matrix& other);

    std::unique_ptr<Vector[]> m_rows;
    int m_rowCount = 0;
    int m_colCount = 0;
};
