#pragma once

#include "RemoteArg.h"

#include <string>
#include <vector>

// One call of a batch sent to the application server in one exchange.
struct RemoteCall {
    std::string Method;
    std::vector<RemoteArg> Args;
};
