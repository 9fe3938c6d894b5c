// The archive: the byte stream of document files and clipboard payloads. Little-endian
// integers, words and doubles; length-prefixed strings (Windows-1252 bytes, or the 16-bit form
// for text outside that code page); class records and object references numbered from 1.
// Reading is defensive: every length is checked against the bytes left, and any fault throws
// CArchiveException, which the one place that reads a document turns into a message.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "CObject.h"

class CArchiveException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class CArchive
{
public:
    /// An archive that stores into `out` (appending).
    explicit CArchive(std::vector<unsigned char>& out);
    /// An archive that loads from `size` bytes at `data` (not copied; must outlive the archive).
    CArchive(const unsigned char* data, size_t size);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_out != nullptr; }
    bool IsLoading() const { return m_out == nullptr; }

    CArchive& operator<<(int32_t value);
    CArchive& operator<<(uint32_t value);
    CArchive& operator<<(uint16_t value);
    CArchive& operator<<(uint8_t value);
    CArchive& operator<<(double value);
    CArchive& operator<<(const std::string& utf8); // string form with its length prefix

    CArchive& operator>>(int32_t& value);
    CArchive& operator>>(uint32_t& value);
    CArchive& operator>>(uint16_t& value);
    CArchive& operator>>(uint8_t& value);
    CArchive& operator>>(double& value);
    CArchive& operator>>(std::string& utf8);

    void Write(const void* data, size_t size);
    void Read(void* data, size_t size); // throws when fewer bytes are left

    /// Writes an object (class record or class reference, then its Serialize), or null.
    void WriteObject(const CObject* object);
    /// Reads an object written by WriteObject: null, or a new object (owned by the caller) whose
    /// class derives from `expected`. Throws on an unknown class, a wrong class, a schema other
    /// than 0, a bad or back reference, or truncation.
    CObject* ReadObject(const CRuntimeClass* expected);

    size_t BytesLeft() const { return m_size - m_pos; }
    /// Throws unless at least `bytes` are left to read.
    void Require(uint64_t bytes) const;

    /// Nesting depth of ReadObject calls in progress (readers bound recursion with it).
    int Depth() const { return m_depth; }

private:
    enum class Kind : uint8_t { Class, Object };
    void WriteClassTag(const CRuntimeClass* runtimeClass);
    const CRuntimeClass* ReadClassTag(uint32_t tag, bool& isNull);

    std::vector<unsigned char>* m_out = nullptr;
    const unsigned char* m_in = nullptr;
    size_t m_size = 0;
    size_t m_pos = 0;
    uint32_t m_counter = 1; // the next number to give out
    std::unordered_map<const CRuntimeClass*, uint32_t> m_storedClasses;
    std::vector<Kind> m_loadedKinds;                     // index = number - 1
    std::vector<const CRuntimeClass*> m_loadedClasses;   // index = number - 1 (null for objects)
    int m_depth = 0;
};

/// Reads an object of class T (or derived), or null; throws CArchiveException.
template <class T> T* ReadObjectOf(CArchive& ar)
{
    return static_cast<T*>(ar.ReadObject(RUNTIME_CLASS(T)));
}
