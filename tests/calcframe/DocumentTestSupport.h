// Helpers for the tests of the calculation tree and the document: framework set-up, type codes
// from strings, a test calculation whose Do writes a known report, a factory that makes it, and
// a builder of archive bytes for hand-made document files.
#pragma once

#include "CCalcBase.h"
#include "CCalcType.h"
#include "PortableTest.h"
#include "UIServices.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class CCalculation;
class CCalcDocNode;

/// Registers the classes, installs the statistical library's factory, pins the shipped
/// vocabulary and installs fresh headless UI services (restored on destruction).
class CDocumentTestEnvironment
{
public:
    CDocumentTestEnvironment();
    ~CDocumentTestEnvironment();
    CHeadlessUIServices m_ui;
};

CCalcType TypeOf(const std::string& code);

/// The context menu's command that makes a calculation of type `code`.
unsigned CommandOf(const std::string& code);

/// A calculation node of that type whose object the installed factory makes for `code`
/// (the type string by default), titled and labelled `title`.
std::unique_ptr<CCalculation> MakeCalculation(const std::string& type, const std::string& title,
                                              const std::string& code = "");

/// A calculation whose Do names itself "Test <n>" and writes a heading and one plain line.
class CTestCalc : public CCalcBase
{
    DECLARE_SERIAL(CTestCalc)
public:
    bool Do() override;
    static int s_made; // calculations made so far, numbering the titles
};

/// A factory that makes a CTestCalc for every code except "0000" and records the codes asked.
CCalcBase* TestFactory(const std::string& code);
extern std::vector<std::string> g_factoryCodes;

/// The plain text a report of these RTF bytes exports to (CRLF line ends).
std::string PlainOf(const std::string& rtf);

/// Archive bytes written by hand, to build damaged and very large documents directly.
class CBytes
{
public:
    CBytes& Word(uint16_t value);
    CBytes& Int(int32_t value);
    CBytes& Str(const std::string& text); // 8-bit form, below 255 characters
    CBytes& NewClass(const std::string& name);
    CBytes& Type(int32_t level, int32_t d0, int32_t d1, int32_t d2, int32_t d3);
    CBytes& Raw(const std::string& bytes);
    std::vector<unsigned char> m_bytes;
};

/// Writes bytes to a new file.
void WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadFileBytes(const std::string& path);

/// A fresh empty folder below the system's temporary folder, removed on destruction.
class CTempDir
{
public:
    CTempDir();
    ~CTempDir();
    std::string Path(const std::string& name) const
    {
        return Utf8Path((std::filesystem::path(m_path) / name).make_preferred());
    }
    std::string m_path;
};
