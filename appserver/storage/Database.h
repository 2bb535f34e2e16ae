#pragma once

// Everything the server's storage offers, for callers that want it in one include.
#include "storage/AppRole.h"
#include "storage/OrderLock.h"
#include "storage/Schema.h"
#include "storage/Seed.h"
#include "storage/Tokens.h"
