#include "data/EditMask.h"

#include "data/Utf8.h"

namespace data {

namespace {

// The position a body character stands for; Literal for any character without a meaning.
EditMask::Position ClassOf(char32_t ch, EditMask::CaseMode caseMode) {
    using C = EditMask::CharClass;
    EditMask::Position position;
    position.Case = caseMode;
    switch (ch) {
    case U'0':
        position = {C::Digit, true, caseMode, 0};
        break;
    case U'9':
        position = {C::Digit, false, caseMode, 0};
        break;
    case U'#':
        position = {C::DigitOrSign, false, caseMode, 0};
        break;
    case U'L':
        position = {C::Letter, true, caseMode, 0};
        break;
    case U'l':
        position = {C::Letter, false, caseMode, 0};
        break;
    case U'A':
        position = {C::LetterOrDigit, true, caseMode, 0};
        break;
    case U'a':
        position = {C::LetterOrDigit, false, caseMode, 0};
        break;
    case U'C':
        position = {C::Any, true, caseMode, 0};
        break;
    case U'c':
        position = {C::Any, false, caseMode, 0};
        break;
    default:
        position = {C::Literal, false, EditMask::CaseMode::None, ch};
        break;
    }
    return position;
}

} // namespace

EditMask::EditMask(std::string_view mask) {
    const std::u32string chars = utf8::Decode(mask);
    CaseMode caseMode = CaseMode::None;
    std::size_t i = 0;
    for (; i < chars.size() && chars[i] != U';'; ++i) {
        const char32_t ch = chars[i];
        if (ch == U'\\' && i + 1 < chars.size()) {
            m_positions.push_back({CharClass::Literal, false, CaseMode::None, chars[++i]});
        } else if (ch == U'<' && i + 1 < chars.size() && chars[i + 1] == U'>') {
            caseMode = CaseMode::None;
            ++i;
        } else if (ch == U'>' || ch == U'<') {
            caseMode = ch == U'>' ? CaseMode::Upper : CaseMode::Lower;
        } else if (ch == U'!') {
            m_trimLeading = true;
        } else {
            m_positions.push_back(ClassOf(ch, caseMode));
        }
    }
    // The sections after the body: whether literals are saved, then the blank character.
    if (i + 1 < chars.size()) {
        m_saveLiterals = chars[i + 1] != U'0';
        const std::size_t blankSep = i + 2;
        if (blankSep + 1 < chars.size() && chars[blankSep] == U';') {
            m_blank = chars[blankSep + 1];
        }
    }
}

bool EditMask::Accepts(std::size_t index, char32_t ch) const {
    if (index >= m_positions.size()) {
        return false;
    }
    switch (m_positions[index].Class) {
    case CharClass::Literal:
        return false;
    case CharClass::Digit:
        return utf8::IsDigit(ch);
    case CharClass::DigitOrSign:
        return utf8::IsDigit(ch) || ch == U'+' || ch == U'-';
    case CharClass::Letter:
        return utf8::IsLetter(ch);
    case CharClass::LetterOrDigit:
        return utf8::IsLetter(ch) || utf8::IsDigit(ch);
    case CharClass::Any:
        return ch >= 0x20;
    }
    return false;
}

char32_t EditMask::ApplyCase(std::size_t index, char32_t ch) const {
    switch (At(index).Case) {
    case CaseMode::Upper:
        return utf8::UpperChar(ch);
    case CaseMode::Lower:
        return utf8::LowerChar(ch);
    case CaseMode::None:
        return ch;
    }
    return ch;
}

std::size_t EditMask::NextEditable(std::size_t index) const {
    while (index < m_positions.size() && IsLiteral(index)) {
        ++index;
    }
    return index;
}

std::string EditMask::BlankText() const {
    return EditText({});
}

std::string EditMask::EditText(std::string_view value) const {
    const std::u32string chars = utf8::Decode(value);
    bool positional = chars.size() == m_positions.size();
    for (std::size_t i = 0; positional && i < chars.size(); ++i) {
        positional = !IsLiteral(i) || chars[i] == m_positions[i].Literal;
    }
    std::u32string out;
    out.reserve(m_positions.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < m_positions.size(); ++i) {
        if (IsLiteral(i)) {
            out.push_back(m_positions[i].Literal);
            next += positional ? 1 : 0;
        } else if (next < chars.size()) {
            out.push_back(ApplyCase(i, chars[next++]));
        } else {
            out.push_back(m_blank);
        }
    }
    return utf8::Encode(out);
}

std::string EditMask::ExtractText(std::string_view editText) const {
    const std::u32string chars = utf8::Decode(editText);
    std::u32string out;
    for (std::size_t i = 0; i < chars.size() && i < m_positions.size(); ++i) {
        if (IsLiteral(i) ? m_saveLiterals : chars[i] != m_blank) {
            out.push_back(chars[i]);
        }
    }
    // Literals after the last filled position are not part of the text.
    if (m_saveLiterals) {
        std::size_t lastFilled = 0;
        bool any = false;
        for (std::size_t i = 0, o = 0; i < chars.size() && i < m_positions.size(); ++i) {
            if (IsLiteral(i) || chars[i] != m_blank) {
                ++o;
                if (!IsLiteral(i)) {
                    lastFilled = o;
                    any = true;
                }
            }
        }
        out.resize(any ? lastFilled : 0);
    }
    return utf8::Encode(out);
}

bool EditMask::IsComplete(std::string_view editText) const {
    const std::u32string chars = utf8::Decode(editText);
    for (std::size_t i = 0; i < m_positions.size(); ++i) {
        if (m_positions[i].Required && (i >= chars.size() || !Accepts(i, chars[i]))) {
            return false;
        }
    }
    return true;
}

std::string EditMask::FormatMaskText(std::string_view mask, std::string_view value) {
    return EditMask(mask).EditText(value);
}

} // namespace data
