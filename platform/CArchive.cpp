// The archive's byte layout: little-endian primitives, the string forms and the numbering of
// classes and objects. Loading trusts nothing: each fault throws CArchiveException.
#include "CArchive.h"

#include "CodePage.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace
{
constexpr uint16_t kNullTag = 0x0000;
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTag = 0x8000;
constexpr uint16_t kBigTag = 0x7FFF;
constexpr uint32_t kBigClassTag = 0x80000000;
constexpr uint16_t kWideStringTag = 0xFFFE;
constexpr size_t kMaxClassName = 64;

[[noreturn]] void Fail(const std::string& what)
{
    throw CArchiveException(what);
}

uint64_t ReadLittleEndian(const unsigned char* bytes, size_t size)
{
    uint64_t value = 0;
    for (size_t i = size; i-- > 0;)
        value = (value << 8) | bytes[i];
    return value;
}
} // namespace

CArchive::CArchive(std::vector<unsigned char>& out) : m_out(&out)
{}

CArchive::CArchive(Drain drain) : m_gathered(new unsigned char[kDrainBytes]), m_drain(std::move(drain))
{}

CArchive::CArchive(const unsigned char* data, size_t size) : m_in(data), m_size(data ? size : 0)
{}

CArchive::~CArchive() = default;

void CArchive::RequireLoading() const
{
    if (!IsLoading())
        Fail("archive: reading from an archive that stores");
}

void CArchive::RequireStoring() const
{
    if (!IsStoring())
        Fail("archive: writing to an archive that loads");
}

void CArchive::Require(uint64_t bytes) const
{
    if (bytes > BytesLeft())
        Fail("archive: unexpected end of data");
}

void CArchive::Write(const void* data, size_t size)
{
    RequireStoring();
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (size == 0)
        return;
    if (!m_drain) {
        m_out->insert(m_out->end(), bytes, bytes + size);
        return;
    }
    if (m_used + size > kDrainBytes)
        Flush();
    if (size >= kDrainBytes) { // a large report goes on as it is, without a copy
        m_drain(bytes, size);
        return;
    }
    std::memcpy(m_gathered.get() + m_used, bytes, size);
    m_used += size;
}

void CArchive::Flush()
{
    if (!m_drain || m_used == 0)
        return;
    m_drain(m_gathered.get(), m_used);
    m_used = 0;
}

template <size_t N> void CArchive::ReadFixed(unsigned char (&bytes)[N])
{
    if (!IsLoading())
        RequireLoading();
    if (N > BytesLeft())
        Require(N);
    std::memcpy(bytes, m_in + m_pos, N);
    m_pos += N;
}

template <size_t N> void CArchive::WriteFixed(const unsigned char (&bytes)[N])
{
    if (m_drain && m_used + N <= kDrainBytes) {
        std::memcpy(m_gathered.get() + m_used, bytes, N);
        m_used += N;
        return;
    }
    Write(bytes, N);
}

void CArchive::Read(void* data, size_t size)
{
    RequireLoading();
    Require(size);
    if (size > 0)
        std::memcpy(data, m_in + m_pos, size);
    m_pos += size;
}

CArchive& CArchive::operator<<(uint8_t value)
{
    const unsigned char bytes[1] = {value};
    WriteFixed(bytes);
    return *this;
}

CArchive& CArchive::operator<<(uint16_t value)
{
    const unsigned char bytes[2] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8)};
    WriteFixed(bytes);
    return *this;
}

CArchive& CArchive::operator<<(uint32_t value)
{
    unsigned char bytes[4];
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    WriteFixed(bytes);
    return *this;
}

CArchive& CArchive::operator<<(int32_t value)
{
    return *this << static_cast<uint32_t>(value);
}

CArchive& CArchive::operator<<(double value)
{
    const auto bits = std::bit_cast<uint64_t>(value);
    unsigned char bytes[8];
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
    WriteFixed(bytes);
    return *this;
}

CArchive& CArchive::operator>>(uint8_t& value)
{
    unsigned char bytes[1];
    ReadFixed(bytes);
    value = bytes[0];
    return *this;
}

CArchive& CArchive::operator>>(uint16_t& value)
{
    unsigned char bytes[2];
    ReadFixed(bytes);
    value = static_cast<uint16_t>(ReadLittleEndian(bytes, 2));
    return *this;
}

CArchive& CArchive::operator>>(uint32_t& value)
{
    unsigned char bytes[4];
    ReadFixed(bytes);
    value = static_cast<uint32_t>(ReadLittleEndian(bytes, 4));
    return *this;
}

CArchive& CArchive::operator>>(int32_t& value)
{
    uint32_t bits = 0;
    *this >> bits;
    value = static_cast<int32_t>(bits);
    return *this;
}

CArchive& CArchive::operator>>(double& value)
{
    unsigned char bytes[8];
    ReadFixed(bytes);
    value = std::bit_cast<double>(ReadLittleEndian(bytes, 8));
    return *this;
}

// Below 255 one byte; up to 0xFFFD the byte FF and a word; beyond, FF FFFF and a dword. The
// word 0xFFFE is left out: it introduces the 16-bit form.
void CArchive::WriteStringLength(uint64_t length)
{
    if (length < 0xFF) {
        *this << static_cast<uint8_t>(length);
    } else if (length < kWideStringTag) {
        *this << static_cast<uint8_t>(0xFF) << static_cast<uint16_t>(length);
    } else if (length < 0xFFFFFFFF) {
        *this << static_cast<uint8_t>(0xFF) << static_cast<uint16_t>(0xFFFF) << static_cast<uint32_t>(length);
    } else {
        Fail("archive: string too long");
    }
}

// The prefix after the 16-bit marker is read without looking for a second marker, so there the
// word 0xFFFE is a length, as other writers of the format may produce it.
uint32_t CArchive::ReadStringLength(bool wideAllowed, bool& wide)
{
    uint8_t byteLength = 0;
    *this >> byteLength;
    if (byteLength < 0xFF)
        return byteLength;
    uint16_t wordLength = 0;
    *this >> wordLength;
    if (wordLength == kWideStringTag && wideAllowed) {
        wide = true;
        return ReadStringLength(false, wide);
    }
    if (wordLength < 0xFFFF)
        return wordLength;
    uint32_t length = 0;
    *this >> length;
    if (length == 0xFFFFFFFF)
        Fail("archive: 64-bit string length");
    return length;
}

CArchive& CArchive::operator<<(const std::string& utf8)
{
    // ASCII, the common case, is the same bytes in Windows-1252.
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; })) {
        WriteStringLength(utf8.size());
        Write(utf8.data(), utf8.size());
        return *this;
    }
    if (FitsCp1252(utf8)) {
        const std::string bytes = Utf8ToCp1252(utf8);
        WriteStringLength(bytes.size());
        Write(bytes.data(), bytes.size());
        return *this;
    }
    const std::u16string units = Utf8ToUtf16(utf8);
    *this << static_cast<uint8_t>(0xFF) << kWideStringTag;
    WriteStringLength(units.size());
    std::vector<unsigned char> bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        bytes.push_back(static_cast<unsigned char>(unit));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    Write(bytes.data(), bytes.size());
    return *this;
}

CArchive& CArchive::operator>>(std::string& utf8)
{
    RequireLoading();
    bool wide = false;
    const uint32_t length = ReadStringLength(true, wide);
    if (!wide) {
        Require(length);
        utf8 = Cp1252ToUtf8({reinterpret_cast<const char*>(m_in + m_pos), length});
        m_pos += length;
        return *this;
    }
    Require(uint64_t{length} * 2);
    std::u16string units(length, u'\0');
    for (uint32_t i = 0; i < length; ++i, m_pos += 2)
        units[i] = static_cast<char16_t>(m_in[m_pos] | (m_in[m_pos + 1] << 8));
    utf8 = Utf16ToUtf8(units);
    return *this;
}

uint32_t CArchive::TakeNumber()
{
    // Numbers must stay below bit 31, which marks a class in the 32-bit reference form.
    if (m_counter >= kBigClassTag)
        Fail("archive: too many objects");
    return m_counter++;
}

void CArchive::WriteObjectHeader(const CObject* object)
{
    RequireStoring();
    if (!object) {
        *this << kNullTag;
        return;
    }
    if (!m_storedObjects.Insert(object))
        Fail("archive: object stored twice");
    const CRuntimeClass* runtimeClass = object->GetRuntimeClass();
    auto found = m_storedClasses.begin();
    while (found != m_storedClasses.end() && found->first != runtimeClass)
        ++found;
    if (found == m_storedClasses.end()) {
        const size_t nameLength = std::strlen(runtimeClass->m_lpszClassName);
        if (runtimeClass->m_wSchema != 0 || !runtimeClass->m_pfnCreateObject || nameLength >= kMaxClassName)
            Fail(std::string("archive: class not serializable: ") + runtimeClass->m_lpszClassName);
        *this << kNewClassTag << static_cast<uint16_t>(0) << static_cast<uint16_t>(nameLength);
        Write(runtimeClass->m_lpszClassName, nameLength);
        m_storedClasses.emplace_back(runtimeClass, TakeNumber());
    } else if (found->second < kBigTag) {
        *this << static_cast<uint16_t>(kClassTag | found->second);
    } else {
        *this << kBigTag << (found->second | kBigClassTag);
    }
    TakeNumber();
}

void CArchive::WriteObject(const CObject* object)
{
    WriteObjectHeader(object);
    if (object)
        const_cast<CObject*>(object)->Serialize(*this); // storing leaves the object unchanged
}

const CRuntimeClass* CArchive::ReadNewClass()
{
    uint16_t schema = 0;
    uint16_t nameLength = 0;
    *this >> schema >> nameLength;
    if (nameLength >= kMaxClassName)
        Fail("archive: class name too long");
    std::string name(nameLength, '\0');
    Read(name.data(), nameLength);
    const CRuntimeClass* runtimeClass = CRuntimeClass::FromName(name);
    if (!runtimeClass)
        Fail("archive: unknown class " + name);
    if (schema != 0)
        Fail("archive: schema other than 0 for class " + name);
    m_loadedClasses.emplace_back(TakeNumber(), runtimeClass);
    return runtimeClass;
}

const CRuntimeClass* CArchive::LoadedClass(uint32_t number) const
{
    if (number == 0)
        Fail("archive: class reference 0");
    if (number >= m_counter)
        Fail("archive: reference beyond the numbers taken");
    const auto found = std::lower_bound(m_loadedClasses.begin(), m_loadedClasses.end(), number,
                                        [](const auto& entry, uint32_t wanted) { return entry.first < wanted; });
    if (found == m_loadedClasses.end() || found->first != number)
        Fail("archive: reference to an object where a class belongs");
    return found->second;
}

// A back reference to an object already read is refused: in an owning tree it would mean a
// double delete or a cycle, and this format's writers never produce one.
const CRuntimeClass* CArchive::ReadObjectHeader(const CRuntimeClass* expected, bool& isNull)
{
    RequireLoading();
    isNull = false;
    uint16_t tag = 0;
    *this >> tag;
    if (tag == kNullTag) {
        isNull = true;
        return nullptr;
    }
    const CRuntimeClass* runtimeClass = nullptr;
    if (tag == kNewClassTag) {
        runtimeClass = ReadNewClass();
    } else if (tag == kBigTag) {
        uint32_t bigTag = 0;
        *this >> bigTag;
        if (!(bigTag & kBigClassTag))
            Fail("archive: reference to an object already read");
        runtimeClass = LoadedClass(bigTag & ~kBigClassTag);
    } else if (tag & kClassTag) {
        runtimeClass = LoadedClass(tag & ~kClassTag);
    } else {
        Fail("archive: reference to an object already read");
    }
    if (expected && !runtimeClass->IsDerivedFrom(expected))
        Fail(std::string("archive: class ") + runtimeClass->m_lpszClassName + " where " + expected->m_lpszClassName +
             " belongs");
    if (!runtimeClass->m_pfnCreateObject)
        Fail(std::string("archive: class cannot be created: ") + runtimeClass->m_lpszClassName);
    TakeNumber();
    return runtimeClass;
}

CObject* CArchive::ReadObject(const CRuntimeClass* expected)
{
    return ReadObject(expected, nullptr);
}

CObject* CArchive::ReadObject(const CRuntimeClass* expected, bool (*accepts)(const CObject&))
{
    bool isNull = false;
    const CRuntimeClass* runtimeClass = ReadObjectHeader(expected, isNull);
    if (isNull)
        return nullptr;
    if (m_depth >= kMaxDepth)
        Fail("archive: objects nested too deeply");
    std::unique_ptr<CObject> object(runtimeClass->CreateObject());
    if (!object)
        Fail(std::string("archive: class cannot be created: ") + runtimeClass->m_lpszClassName);
    if (accepts && !accepts(*object))
        Fail(std::string("archive: class ") + runtimeClass->m_lpszClassName + " does not belong here");
    struct DepthGuard
    {
        int& depth;
        ~DepthGuard() { --depth; }
    } guard{++m_depth};
    object->Serialize(*this);
    return object.release();
}
