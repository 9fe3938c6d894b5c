// Matrix: allocation of the row array and deep copying row by row.
// Each row owns its elements, so releasing the row array releases everything.
#include "Matrix.h"

Matrix::Matrix(int rows, int cols)
{
    init(rows, cols);
}

Matrix::Matrix(const Matrix& other)
{
    CopyRowsFrom(other);
}

void Matrix::init(int rows, int cols)
{
    m_rows.reset();
    m_rowCount = rows > 0 ? rows : 0;
    m_colCount = cols > 0 ? cols : 0;
    if (m_rowCount == 0)
        return;
    m_rows = std::make_unique<Vector[]>(static_cast<size_t>(m_rowCount));
    for (int i = 0; i < m_rowCount; ++i)
        m_rows[i].init(m_colCount);
}

const Matrix& Matrix::operator=(const Matrix& other)
{
    if (this != &other)
        CopyRowsFrom(other);
    return *this;
}

void Matrix::CopyRowsFrom(const Matrix& other)
{
    m_rows.reset();
    m_rowCount = other.m_rowCount;
    m_colCount = other.m_colCount;
    if (!other.m_rows)
        return;
    m_rows = std::make_unique<Vector[]>(static_cast<size_t>(m_rowCount));
    for (int i = 0; i < m_rowCount; ++i)
        m_rows[i] = other.m_rows[i];
}
