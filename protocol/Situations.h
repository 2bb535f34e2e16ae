#pragma once

#include <string_view>

// Situation codes whose meaning both the server's rules and the screen's load check rely on.
namespace protocol::situations {

// Item situations past which an order cannot be cancelled as a whole: the item is already
// cancelled, invoiced or on its way.
inline constexpr std::string_view ItemsBlockingOrderCancel = "34567";
// Order situations the screen never lets the operator check.
inline constexpr std::string_view OrdersNeverChecked = "3456";

// Whether the one-character code is one of the set's.
inline constexpr bool IsIn(std::string_view code, std::string_view set) {
    return code.size() == 1 && set.find(code[0]) != std::string_view::npos;
}

} // namespace protocol::situations
