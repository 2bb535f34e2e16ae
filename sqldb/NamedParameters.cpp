#include "NamedParameters.h"

#include <algorithm>
#include <cctype>

namespace sqldb {
namespace {

bool IsNameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Copies a quoted run starting at sql[i] (quote character included) and returns the index after it.
std::size_t CopyQuoted(std::string_view sql, std::size_t i, std::string& out) {
    const char quote = sql[i];
    out += sql[i++];
    while (i < sql.size()) {
        out += sql[i];
        if (sql[i++] == quote) {
            if (i < sql.size() && sql[i] == quote) {
                out += sql[i++];
                continue;
            }
            break;
        }
    }
    return i;
}

} // namespace

NamedParameters ToPositional(std::string_view sql) {
    NamedParameters result;
    std::string& out = result.sql;
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            i = CopyQuoted(sql, i, out);
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            const auto end = std::min(sql.find('\n', i), sql.size());
            out.append(sql.substr(i, end - i));
            i = end;
        } else if (c == ':' && i + 1 < sql.size() && sql[i + 1] == ':') {
            out += "::";
            i += 2;
        } else if (c == ':' && i + 1 < sql.size() && IsNameStart(sql[i + 1])) {
            std::size_t end = i + 1;
            while (end < sql.size() && IsNameChar(sql[end]))
                ++end;
            std::string name(sql.substr(i + 1, end - i - 1));
            auto found = std::find(result.names.begin(), result.names.end(), name);
            if (found == result.names.end())
                found = result.names.insert(result.names.end(), std::move(name));
            out += '$' + std::to_string(found - result.names.begin() + 1);
            i = end;
        } else {
            out += c;
            ++i;
        }
    }
    return result;
}

} // namespace sqldb
