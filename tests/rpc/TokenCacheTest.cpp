#include "server/TokenCache.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace std::chrono_literals;
using pedserver::TokenCache;

TEST(TokenCacheTest, AnAcceptedTokenIsKnownUntilItsLifetimeEnds) {
    TokenCache cache(80ms);
    EXPECT_FALSE(cache.Find("a"));
    cache.Keep("a", "DEMO");
    EXPECT_EQ(cache.Find("a"), "DEMO");
    EXPECT_FALSE(cache.Find("b"));
    std::this_thread::sleep_for(120ms);
    EXPECT_FALSE(cache.Find("a")) << "a revoked token must stop working once its entry expires";
}

TEST(TokenCacheTest, ANoLifetimeKeepsNothingAndAFullCacheDoesNotGrow) {
    TokenCache off(0ms);
    off.Keep("a", "DEMO");
    EXPECT_FALSE(off.Find("a"));

    TokenCache small(1h, 3);
    for (const char* token : {"a", "b", "c", "d"})
        small.Keep(token, std::string("OP-") + token);
    EXPECT_EQ(small.Find("d"), "OP-d") << "the newest token is kept";
    int kept = 0;
    for (const char* token : {"a", "b", "c", "d"})
        kept += small.Find(token).has_value();
    EXPECT_LE(kept, 3);
}

} // namespace
