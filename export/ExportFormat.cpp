// The export formats' names and extensions.
#include "ExportFormat.h"

#include <cctype>
#include <string>

std::optional<CExportFormat> ExportFormatNamed(std::string_view name)
{
    std::string lower(name);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "txt" || lower == "text")
        return CExportFormat::Text;
    if (lower == "html" || lower == "htm")
        return CExportFormat::Html;
    if (lower == "pdf")
        return CExportFormat::Pdf;
    if (lower == "odt")
        return CExportFormat::Odt;
    return std::nullopt;
}

CExportFormat ExportFormatOfPath(const std::filesystem::path& path)
{
    const std::string extension = path.extension().string();
    if (extension.size() < 2)
        return CExportFormat::Text;
    return ExportFormatNamed(std::string_view(extension).substr(1)).value_or(CExportFormat::Text);
}

const char* ExportFormatExtension(CExportFormat format)
{
    switch (format) {
    case CExportFormat::Html:
        return "html";
    case CExportFormat::Pdf:
        return "pdf";
    case CExportFormat::Odt:
        return "odt";
    case CExportFormat::Text:
        break;
    }
    return "txt";
}

bool ExportFormatNeedsQt(CExportFormat format)
{
    return format == CExportFormat::Pdf || format == CExportFormat::Odt;
}
