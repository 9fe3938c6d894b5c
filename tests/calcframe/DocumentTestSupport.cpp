// Helpers for the tests of the calculation tree and the document.
#include "DocumentTestSupport.h"

#include "CCalcDoc.h"
#include "CCalculation.h"
#include "CalcFactory.h"
#include "FrameworkInit.h"
#include "Profile.h"
#include "RichText.h"
#include "TestSupport.h"
#include "ZNTVStat.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

IMPLEMENT_SERIAL(CTestCalc, CCalcBase, 0)

int CTestCalc::s_made = 0;
std::vector<std::string> g_factoryCodes;

CDocumentTestEnvironment::CDocumentTestEnvironment()
{
    ZNTVCalcInit();
    ZNTVStatInit();
    AfxRegisterClass(RUNTIME_CLASS(CTestCalc));
    CProfile profile;
    profile.Load(ShippedVocabularyPath());
    SetVocabularyProfiles({profile});
    SetUIServices(&m_ui);
    g_factoryCodes.clear();
}

CDocumentTestEnvironment::~CDocumentTestEnvironment()
{
    SetUIServices(nullptr);
    ZNTVStatInit(); // the statistical library's factory again
    ResetVocabulary();
}

CCalcType TypeOf(const std::string& code)
{
    return CCalcType(code[0] - '0', code[1] - '0', code[2] - '0', code[3] - '0');
}

unsigned CommandOf(const std::string& code)
{
    return CCalcDoc::kFirstCalculationCommand + static_cast<unsigned>(TypeOf(code).GetTypeInt());
}

std::unique_ptr<CCalculation> MakeCalculation(const std::string& type, const std::string& title,
                                              const std::string& code)
{
    auto calc = std::make_unique<CCalculation>(TypeOf(type));
    if (!calc->SetupBase(code.empty() ? type : code)) {
        ADD_FAILURE() << "no calculation for code " << type;
        return calc;
    }
    calc->GetData()->SetTitle(title);
    calc->SetLabel(title);
    return calc;
}

bool CTestCalc::Do()
{
    SetTitle("Test " + std::to_string(++s_made));
    InsertPhrase(GetTitle() + "\n", kPhraseBold);
    InsertPhrase("Result line\n", kPhrasePlain);
    return true;
}

CCalcBase* TestFactory(const std::string& code)
{
    g_factoryCodes.push_back(code);
    return code == "0000" ? nullptr : new CTestCalc;
}

std::string PlainOf(const std::string& rtf)
{
    return RtfToPlainText(rtf);
}

CBytes& CBytes::Word(uint16_t value)
{
    m_bytes.push_back(static_cast<unsigned char>(value & 0xFF));
    m_bytes.push_back(static_cast<unsigned char>(value >> 8));
    return *this;
}

CBytes& CBytes::Int(int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        m_bytes.push_back(static_cast<unsigned char>((bits >> shift) & 0xFF));
    return *this;
}

CBytes& CBytes::Str(const std::string& text)
{
    m_bytes.push_back(static_cast<unsigned char>(text.size()));
    return Raw(text);
}

CBytes& CBytes::NewClass(const std::string& name)
{
    Word(0xFFFF).Word(0).Word(static_cast<uint16_t>(name.size()));
    return Raw(name);
}

CBytes& CBytes::Type(int32_t level, int32_t d0, int32_t d1, int32_t d2, int32_t d3)
{
    return Int(level).Int(d0).Int(d1).Int(d2).Int(d3);
}

CBytes& CBytes::Raw(const std::string& bytes)
{
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
}

void WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<unsigned char> ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

CTempDir::CTempDir()
{
    m_path = Utf8Path(MakeTempDir("zentavo-doc"));
}

CTempDir::~CTempDir()
{
    std::error_code ec;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}
