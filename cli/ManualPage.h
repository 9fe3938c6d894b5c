// The manual as zentavo-cli prints it: where its pages are and a page's Markdown as plain text.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

/// The folder of the manual's pages: $ZENTAVO_HELP_DIR when set, else "help" beside the
/// executable (the build tree), else the installed share folder; empty when none holds index.md.
std::filesystem::path ManualFolder(const std::filesystem::path& executableDir);

/// The page file ("calc-3200.md", "reports.md") that a help topic names: a type code, or the
/// name of a general page. None for a word that names no page (a command, a typo).
std::optional<std::string> ManualPageName(const std::string& topic);

/// Markdown as plain text: headings underlined, code blocks indented by four blanks, tables
/// with their columns lined up; links, emphasis and code marks give their bare text.
std::string ManualAsText(const std::string& markdown);

/// help TOPIC for a topic that is no command: prints the manual's page of a type code or general
/// page as text. 1 when the manual cannot be found or read, 2 for a code without a page.
int ManualPageCommand(const std::string& topic, const std::filesystem::path& executableDir);
