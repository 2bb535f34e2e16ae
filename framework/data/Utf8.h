#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// All text in the system is UTF-8; limits and case rules work on characters, not bytes.
namespace data::utf8 {

std::u32string Decode(std::string_view text);
std::string Encode(std::u32string_view text);
void Append(std::string& out, char32_t ch);

// Number of characters (code points).
std::size_t Length(std::string_view text);
// The first `count` characters.
std::string Left(std::string_view text, std::size_t count);

bool IsLetter(char32_t ch);
bool IsDigit(char32_t ch);
char32_t UpperChar(char32_t ch);
char32_t LowerChar(char32_t ch);
// Lower case with the accent removed: 'Á' -> 'a', 'ç' -> 'c'.
char32_t FoldChar(char32_t ch);

std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);
// Accent- and case-insensitive comparison key: Fold("Álvaro") == Fold("alvaro").
std::string Fold(std::string_view text);

} // namespace data::utf8
