// Vector: allocation and deep copying of the element array.
// Element values start at zero; callers write every cell before reading it.
#include "Vector.h"

#include <algorithm>

Vector::Vector(int n)
{
    init(n);
}

Vector::Vector(const Vector& other)
{
    if (other.m_data) {
        init(other.m_count);
        std::copy(other.m_data.get(), other.m_data.get() + other.m_count, m_data.get());
    }
}

void Vector::init(int n)
{
    m_data.reset();
    m_count = 0;
    if (n > 0) {
        m_data = std::make_unique<double[]>(static_cast<size_t>(n));
        m_count = n;
    }
}

const Vector& Vector::operator=(const Vector& other)
{
    if (this == &other)
        return *this;
    m_data.reset();
    m_count = 0;
    if (other.m_data) {
        init(other.m_count);
        std::copy(other.m_data.get(), other.m_data.get() + other.m_count, m_data.get());
    }
    return *this;
}
