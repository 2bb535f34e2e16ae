#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace data {

// An edit mask "body;save;blank" such as "999.999.999-99;0;_" or ">aaaa;0; ". The body is
// parsed into positions, each a literal or a character class; save 1 keeps the literals in
// the text, 0 leaves them out; blank is shown in unfilled positions.
class EditMask {
public:
    enum class CharClass { Literal, Digit, DigitOrSign, Letter, LetterOrDigit, Any };
    enum class CaseMode { None, Upper, Lower };

    struct Position {
        CharClass Class = CharClass::Literal;
        bool Required = false;
        CaseMode Case = CaseMode::None;
        char32_t Literal = 0;
    };

    EditMask() = default;
    explicit EditMask(std::string_view mask);

    bool IsEmpty() const { return m_positions.empty(); }
    std::size_t Length() const { return m_positions.size(); }
    const Position& At(std::size_t index) const { return m_positions.at(index); }
    const std::vector<Position>& Positions() const { return m_positions; }
    bool IsLiteral(std::size_t index) const { return At(index).Class == CharClass::Literal; }
    bool SaveLiterals() const { return m_saveLiterals; }
    char32_t Blank() const { return m_blank; }
    bool TrimLeadingBlanks() const { return m_trimLeading; }

    // Whether the character may be typed at an editable position (never at a literal).
    bool Accepts(std::size_t index, char32_t ch) const;
    // The character as the position's case rule stores it.
    char32_t ApplyCase(std::size_t index, char32_t ch) const;
    // The next editable position at or after `index`; Length() when there is none.
    std::size_t NextEditable(std::size_t index) const;

    // Literals in place and the blank character everywhere else.
    std::string BlankText() const;
    // The edit text for a value: when the value already has the mask's literals in place it
    // is taken position by position, otherwise its characters fill the editable positions in
    // order. Characters beyond the mask are dropped; missing ones leave blanks.
    std::string EditText(std::string_view value) const;
    // The text without unfilled positions, and without literals when the mask does not save
    // them: "123.456.789-01" -> "12345678901".
    std::string ExtractText(std::string_view editText) const;
    // Whether every required position of the edit text holds an accepted character.
    bool IsComplete(std::string_view editText) const;

    // EditText of the value under the mask.
    static std::string FormatMaskText(std::string_view mask, std::string_view value);

private:
    std::vector<Position> m_positions;
    bool m_saveLiterals = true;
    bool m_trimLeading = false;
    char32_t m_blank = U'_';
};

} // namespace data
