#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sqldb {

// A statement with its :NAME parameters rewritten as $1, $2, ... (one number per distinct name),
// for servers that only know positional parameters. Quoted texts, quoted identifiers, comments
// and "::" casts are left alone.
struct NamedParameters {
    std::string sql;
    std::vector<std::string> names; // names[i] is $(i+1)
};

NamedParameters ToPositional(std::string_view sql);

} // namespace sqldb
