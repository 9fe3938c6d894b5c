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

    CStoredText() = default;
    CStoredText(const CStoredText& other) : m_source(other.m_source), m_begin(other.m_begin), m_size(other.m_size)
    {
        if (other.m_own)
            m_own = std::make_unique<std::string>(*other.m_own);
    }
    CStoredText& operator=(const CStoredText& other)
    {
        if (this != &other)
            *this = CStoredText(other);
        return *this;
    }
    CStoredText(CStoredText&&) noexcept = default;
    CStoredText& operator=(CStoredText&&) noexcept = default;
    ~CStoredText() = default;

    /// The bytes, wherever they are kept; valid until the text is next changed.
    std::string_view View() const
    {
        if (m_source)
            return std::string_view(m_begin, m_size);
        return m_own ? std::string_view(*m_own) : std::string_view();
    }
    size_t Size() const { return m_source ? m_size : m_own ? m_own->size() : 0; }
    bool Shared() const { return m_source != nullptr; }
    /// The bytes as a string of the text's own; a shared stretch is copied out (once).
    const std::string& String() const
    {
        if (m_source) {
            m_own = std::make_unique<std::string>(m_begin, m_size);
            Release();
        } else if (!m_own) {
            m_own = std::make_unique<std::string>();
        }
        return *m_own;
    }
    void Assign(std::string text)
    {
        Release();
        m_own = std::make_unique<std::string>(std::move(text));
    }
    void Append(const char* data, size_t size)
    {
        String();
        m_own->append(data, size);
    }
    void Clear()
    {
        Release();
        m_own.reset();
    }
    /// Refers to `size` bytes from `begin` on, inside the bytes `source` keeps alive; the
    /// caller has checked the range.
    void Refer(Source source, const unsigned char* begin, size_t size)
    {
        m_own.reset();
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
    // A text of its own is held through a pointer: most texts of an opened document are
    // stretches of the file and need no string at all.
    mutable Source m_source;
    mutable const char* m_begin = nullptr;
    mutable size_t m_size = 0;
    mutable std::unique_ptr<std::string> m_own;
};
