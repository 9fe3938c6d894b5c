// Vector: a dense, owned array of doubles with value semantics (deep copies),
// used by Matrix for its rows and by the table calculations.
#pragma once

#include <memory>

/// A fixed-length array of doubles. Indexing is zero-based and unchecked; a default-constructed
/// vector has no storage. Copies and assignments copy the elements.
class Vector
{
public:
    Vector() = default;
    /// Allocates n elements (none when n is not positive).
    explicit Vector(int n);
    Vector(const Vector& other);
    ~Vector() = default;

    /// Allocates n elements and sets the count; any earlier storage is released.
    void init(int n);

    double& operator[](int index) { return m_data[index]; }
    const double& operator[](int index) const { return m_data[index]; }

    /// Deep copy; assigning a vector to itself changes nothing.
    const Vector& operator=(const Vector& other);

    int GetSize() const { return m_count; }
    bool HasStorage() const { return m_data != nullptr; }

private:
    std::unique_ptr<double[]> m_data;
    int m_count = 0;
};
