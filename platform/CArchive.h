// The archive: the byte stream of document files and clipboard payloads. Little-endian
// integers, words and doubles; length-prefixed strings (Windows-1252 bytes, or the 16-bit form
// for text outside that code page); class records and object references numbered from 1.
// Reading is defensive: every length is checked against the bytes left, and any fault throws
// CArchiveException, which the one place that reads a document turns into a message.
#pragma once

#include "CObject.h"
#include "PointerSet.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

/// Thrown for every archive fault. what() says what was wrong (for tests and diagnostics);
/// the user is shown kUserMessage.
class CArchiveException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
    static constexpr const char* kUserMessage = "Unexpected file format.";
};

class CArchive
{
public:
    /// ReadObject refuses to nest deeper than this (real documents nest about 6 levels).
    static constexpr int kMaxDepth = 64;

    /// Takes stored bytes in pieces; throws to abandon the storing.
    using Drain = std::function<void(const unsigned char* data, size_t size)>;
    /// Bytes a draining archive gathers before it hands them on.
    static constexpr size_t kDrainBytes = size_t{1} << 20;

    /// An archive that stores into `out` (appending).
    explicit CArchive(std::vector<unsigned char>& out);
    /// An archive that stores into `drain`, a piece of about kDrainBytes at a time; Flush hands
    /// on the rest. A large document so goes to its file without a copy of it all in memory.
    explicit CArchive(Drain drain);
    /// An archive that loads from `size` bytes at `data` (not copied; must outlive the archive).
    CArchive(const unsigned char* data, size_t size);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_out != nullptr || m_drain != nullptr; }
    bool IsLoading() const { return !IsStoring(); }

    CArchive& operator<<(int32_t value);
    CArchive& operator<<(uint32_t value);
    CArchive& operator<<(uint16_t value);
    CArchive& operator<<(uint8_t value);
    CArchive& operator<<(double value);
    /// Windows-1252 bytes when every character fits, else the 16-bit form; throws when the
    /// text is too long for a length prefix.
    CArchive& operator<<(const std::string& utf8);

    CArchive& operator>>(int32_t& value);
    CArchive& operator>>(uint32_t& value);
    CArchive& operator>>(uint16_t& value);
    CArchive& operator>>(uint8_t& value);
    CArchive& operator>>(double& value);
    /// Accepts the 8-bit and the 16-bit form; the result is UTF-8.
    CArchive& operator>>(std::string& utf8);

    void Write(const void* data, size_t size);
    /// A draining archive hands on what it has gathered (nothing for the other kinds).
    void Flush();
    /// Room for `count` objects in the record of those stored, so that a large tree does not
    /// grow it step by step.
    void ReserveObjects(size_t count) { m_storedObjects.Reserve(count); }
    void Read(void* data, size_t size); // throws when fewer bytes are left

    /// Writes an object (class record or class reference, then its Serialize), or null.
    /// Storing one object twice throws: the reader accepts no back references.
    void WriteObject(const CObject* object);
    /// Reads an object written by WriteObject: null, or a new object (owned by the caller) whose
    /// class derives from `expected`. Throws on an unknown class, a wrong class, a schema other
    /// than 0, a bad or back reference, nesting deeper than kMaxDepth, or truncation.
    CObject* ReadObject(const CRuntimeClass* expected);
    /// ReadObject with a further check of the new object before its body is read (used by
    /// ReadObjectOf, which has no run-time class to name).
    CObject* ReadObject(const CRuntimeClass* expected, bool (*accepts)(const CObject&));

    /// The first half of WriteObject: null, or the class record or reference of the object
    /// (which takes its number). The caller then writes the body itself, e.g. in a loop along a
    /// chain of siblings instead of recursing once per sibling.
    void WriteObjectHeader(const CObject* object);
    /// The first half of ReadObject: for null sets isNull and returns null; otherwise returns
    /// the (creatable) class of the next object, checked against `expected`, and gives the object
    /// its number. The caller creates the object (CreateObject) and reads its body.
    const CRuntimeClass* ReadObjectHeader(const CRuntimeClass* expected, bool& isNull);

    size_t BytesLeft() const { return m_size - m_pos; }
    /// Throws unless at least `bytes` are left to read.
    void Require(uint64_t bytes) const;

    /// Nesting depth of ReadObject calls in progress (readers bound recursion with it).
    int Depth() const { return m_depth; }

private:
    void WriteStringLength(uint64_t length);
    uint32_t ReadStringLength(bool wideAllowed, bool& wide);
    const CRuntimeClass* ReadNewClass();
    const CRuntimeClass* LoadedClass(uint32_t number) const;
    uint32_t TakeNumber();
    void RequireLoading() const;
    void RequireStoring() const;
    // Read and Write for the fixed sizes of the primitives, without a call per byte count.
    template <size_t N> void ReadFixed(unsigned char (&bytes)[N]);
    template <size_t N> void WriteFixed(const unsigned char (&bytes)[N]);

    std::vector<unsigned char>* m_out = nullptr;
    // A draining archive's bytes not yet handed on: m_used of kDrainBytes.
    std::unique_ptr<unsigned char[]> m_gathered;
    size_t m_used = 0;
    Drain m_drain;
    const unsigned char* m_in = nullptr;
    size_t m_size = 0;
    size_t m_pos = 0;
    uint32_t m_counter = 1;                                                 // the next number to give out
    std::vector<std::pair<const CRuntimeClass*, uint32_t>> m_storedClasses; // a document has a dozen
    CPointerSet m_storedObjects;
    // The classes read so far with their numbers, in rising order; every other number taken
    // while loading is an object's. Nothing is kept per object: a large document has many.
    std::vector<std::pair<uint32_t, const CRuntimeClass*>> m_loadedClasses;
    int m_depth = 0;
};

/// Reads an object of class T (or derived), or null; throws CArchiveException. The class
/// check is the language's own (the macros give a template no way to name T's run-time class).
template <class T> T* ReadObjectOf(CArchive& ar)
{
    constexpr auto accepts = [](const CObject& object) { return dynamic_cast<const T*>(&object) != nullptr; };
    return static_cast<T*>(ar.ReadObject(RUNTIME_CLASS(CObject), accepts));
}
