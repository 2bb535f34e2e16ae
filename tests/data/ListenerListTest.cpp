#include "data/ListenerList.h"

#include <gtest/gtest.h>
#include <string>

using data::ListenerList;

TEST(ListenerList, ASubscriberRemovedWhileOthersAreToldIsNotCalledAfterwards) {
    ListenerList<int> listeners;
    std::string heard;
    auto hear = [&](char who, int value) { heard += who + std::to_string(value); };
    int second = 0;
    listeners.Add([&](int value) {
        hear('a', value);
        listeners.Remove(second);
    });
    second = listeners.Add([&](int value) { hear('b', value); });
    listeners.Add([&](int value) { hear('c', value); });

    listeners.Notify(1);
    listeners.Notify(2);

    EXPECT_EQ(heard, "a1c1a2c2");
}

TEST(ListenerList, ASubscriberMayRemoveItselfWhileItRuns) {
    ListenerList<> listeners;
    int calls = 0;
    int self = 0;
    self = listeners.Add([&] {
        ++calls;
        listeners.Remove(self);
    });

    listeners.Notify();
    listeners.Notify();

    EXPECT_EQ(calls, 1);
}
