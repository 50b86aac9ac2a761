#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace karvo::cli {

// Splits a command line into words as a shell would: blanks separate words,
// double quotes group them, a backslash takes the next character literally.
// nullopt for an unterminated quote or a trailing backslash.
std::optional<std::vector<std::string>> SplitWords(std::string_view line);

// Script lines: '#' starts a comment, blank lines are skipped.
std::vector<std::string> ScriptCommands(std::string_view scriptText);

}  // namespace karvo::cli
