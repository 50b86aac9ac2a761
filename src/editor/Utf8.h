#pragma once
#include <string>
#include <vector>

namespace karvo {

// Characters as the user typed them, whatever their code: the editor takes
// only those of Latin-1 as bytes and must be able to name the others.
std::string Utf8Of(char32_t character);
// The characters of UTF-8 text; a byte that starts no valid sequence stands
// for itself, so nothing typed is ever dropped.
std::vector<char32_t> CharactersOf(const std::string& utf8);

}  // namespace karvo
