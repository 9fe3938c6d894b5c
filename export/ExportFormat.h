// The file formats reports are exported in, by name (`--format`) and by file extension.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

enum class CExportFormat
{
    Text,
    Html,
    Pdf,
    Odt,
};

/// The format a name gives: "txt"/"text", "html"/"htm", "pdf", "odt" (any case); none else.
std::optional<CExportFormat> ExportFormatNamed(std::string_view name);
/// The format a file's extension gives; plain text for any other or no extension.
CExportFormat ExportFormatOfPath(const std::filesystem::path& path);
/// The usual extension of a format, without the dot.
const char* ExportFormatExtension(CExportFormat format);
/// True for the formats that need Qt to be written (PDF and ODF text).
bool ExportFormatNeedsQt(CExportFormat format);
