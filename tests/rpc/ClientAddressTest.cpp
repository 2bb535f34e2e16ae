#include "server/GuessLimiter.h"
#include "server/TrustedProxies.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace pedserver {
namespace {

using namespace std::chrono_literals;

boost::asio::ip::address Address(const char* text) {
    return boost::asio::ip::make_address(text);
}

TEST(GuessLimiter, AnAddressHasItsBurstThenTheRateAndOthersAreUntouched) {
    GuessLimiter limiter(3, 60); // a try a second once the three are spent
    const auto start = GuessLimiter::Clock::now();
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(limiter.Allows("10.0.0.1", start)) << i;
        EXPECT_EQ(limiter.Failed("10.0.0.1", start), i == 2) << "the third failure empties the bucket";
    }
    EXPECT_FALSE(limiter.Allows("10.0.0.1", start));
    EXPECT_TRUE(limiter.Allows("10.0.0.2", start)) << "another address";
    EXPECT_FALSE(limiter.Allows("10.0.0.1", start + 900ms));
    EXPECT_TRUE(limiter.Allows("10.0.0.1", start + 1s));
    limiter.Failed("10.0.0.1", start + 1s);
    EXPECT_FALSE(limiter.Allows("10.0.0.1", start + 1500ms));
    EXPECT_TRUE(limiter.Allows("10.0.0.1", start + 1h)) << "refilled, never past the burst";
    for (int i = 0; i < 3; ++i)
        limiter.Failed("10.0.0.1", start + 1h);
    EXPECT_FALSE(limiter.Allows("10.0.0.1", start + 1h));
}

TEST(GuessLimiter, ForgettingFullBucketsKeepsTheOnesStillEmpty) {
    GuessLimiter limiter(1, 60, 2);
    const auto start = GuessLimiter::Clock::now();
    limiter.Failed("guesser", start);
    limiter.Allows("visitor", start);
    limiter.Allows("newcomer", start + 100ms); // full: the visitor's full bucket goes
    EXPECT_FALSE(limiter.Allows("guesser", start + 200ms)) << "an empty bucket is not forgotten";
}

// Guessers from more addresses than it remembers cost a bounded memory: it lets them all go.
TEST(GuessLimiter, MoreEmptyBucketsThanItsCapacityAreAllForgotten) {
    GuessLimiter limiter(1, 1, 4);
    const auto start = GuessLimiter::Clock::now();
    for (const char* address : {"a", "b", "c", "d"})
        limiter.Failed(address, start);
    EXPECT_FALSE(limiter.Allows("a", start));
    limiter.Failed("e", start);
    EXPECT_TRUE(limiter.Allows("a", start));
    EXPECT_FALSE(limiter.Allows("e", start));
}

struct ProxyCase {
    const char* peer;
    const char* realIp;
    const char* forwardedFor;
    const char* client;
};

TEST(TrustedProxies, OnlyATrustedProxyNamesTheClient) {
    const TrustedProxies proxies({"127.0.0.1/32", "10.1.0.0/16", "::1"});
    const ProxyCase cases[] = {
        {"127.0.0.1", "192.168.0.9", "", "192.168.0.9"},
        {"127.0.0.1", "", "1.1.1.1, 192.168.0.8", "192.168.0.8"}, // the entry the proxy added
        {"10.1.200.3", "192.168.0.7", "", "192.168.0.7"},
        {"10.2.0.1", "192.168.0.6", "", "10.2.0.1"},  // outside the block
        {"127.0.0.2", "192.168.0.5", "", "127.0.0.2"}, // a /32 is one address
        {"::1", "2001:db8::1", "", "2001:db8::1"},
        {"127.0.0.1", "not an address", "", "127.0.0.1"},
        {"127.0.0.1", "", "", "127.0.0.1"},
    };
    for (const ProxyCase& c : cases)
        EXPECT_EQ(proxies.Client(Address(c.peer), c.realIp, c.forwardedFor), c.client) << c.peer << " " << c.realIp;
    EXPECT_EQ(TrustedProxies().Client(Address("127.0.0.1"), "192.168.0.9", ""), "127.0.0.1") << "none trusted";
}

TEST(TrustedProxies, ABlockThatDoesNotReadIsRefused) {
    for (const char* block : {"10.0.0.0/33", "10.0.0.0/", "nowhere/8", "::1/129", "10.0.0.0/8x"})
        EXPECT_THROW(TrustedProxies({block}), std::invalid_argument) << block;
    EXPECT_TRUE(TrustedProxies({"0.0.0.0/0"}).Contains(Address("203.0.113.4")));
}

} // namespace
} // namespace pedserver
