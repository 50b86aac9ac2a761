#include "CommandLine.h"

namespace karvo::cli {

std::optional<std::vector<std::string>> SplitWords(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\\') {
            if (i + 1 == line.size()) return std::nullopt;
            word += line[++i];
            inWord = true;
        } else if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted) return std::nullopt;
    if (inWord) words.push_back(std::move(word));
    return words;
}

std::vector<std::string> ScriptCommands(std::string_view scriptText) {
    std::vector<std::string> commands;
    while (!scriptText.empty()) {
        const std::size_t end = scriptText.find('\n');
        std::string_view line = scriptText.substr(0, end);
        scriptText =
            end == std::string_view::npos ? std::string_view() : scriptText.substr(end + 1);
        // A '#' outside quotes starts a comment.
        bool quoted = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '\\') {
                ++i;
            } else if (line[i] == '"') {
                quoted = !quoted;
            } else if (line[i] == '#' && !quoted) {
                line = line.substr(0, i);
                break;
            }
        }
        if (line.find_first_not_of(" \t\r") != std::string_view::npos) {
            commands.emplace_back(line);
        }
    }
    return commands;
}

}  // namespace karvo::cli
