// The report bytes of a calculation: its own string, or a stretch of the bytes of the file the
// document was read from, shared by every calculation of that file. A document opened from a
// large file so holds each report once, as it lies in the file, until the report is shown,
// changed or asked for as a string.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class CStoredText
{
public:
    /// Keeps the bytes of the file alive; the calculations of one file share it.
    using Source = std::shared_ptr<const unsigned char>;

    /// The bytes, wherever they are kept; valid until the text is next changed.
    std::string_view View() const { return m_source ? std::string_view(m_begin, m_size) : std::string_view(m_own); }
    size_t Size() const { return m_source ? m_size : m_own.size(); }
    bool Shared() const { return m_source != nullptr; }

    /// The bytes as a string of the text's own; a shared stretch is copied out (once).
    const std::string& String() const
    {
        if (m_source) {
            m_own.assign(m_begin, m_size);
            Release();
        }
        return m_own;
    }

    void Assign(std::string text)
    {
        Release();
        m_own = std::move(text);
    }
    void Append(const char* data, size_t size)
    {
        String();
        m_own.append(data, size);
    }
    void Clear() { Assign(std::string()); }

    /// Refers to `size` bytes from `begin` on, inside the bytes `source` keeps alive; the
    /// caller has checked the range.
    void Refer(Source source, const unsigned char* begin, size_t size)
    {
        m_own.clear();
        m_own.shrink_to_fit();
        m_begin = reinterpret_cast<const char*>(begin);
        m_size = size;
        m_source = std::move(source);
    }

private:
    void Release() const
    {
        m_source.reset();
        m_begin = nullptr;
        m_size = 0;
    }

    // Mutable: copying a shared stretch out on a read changes how, not what, the text is.
    mutable Source m_source;
    mutable const char* m_begin = nullptr;
    mutable size_t m_size = 0;
    mutable std::string m_own;
};
