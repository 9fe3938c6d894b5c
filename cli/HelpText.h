// What `zentavo-cli --help` and `zentavo-cli help COMMAND` print.
#pragma once

#include <optional>
#include <string>

/// Every command, option and action form, with an example each, and the exit statuses.
std::string UsageText();
/// The full help of one command; none for a name that is no command.
std::optional<std::string> CommandHelp(const std::string& command);
