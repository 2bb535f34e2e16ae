#include "data/ListenerList.h"

#include <gtest/gtest.h>
#include <string>

using data::ListenerList;

TEST(ListenerList, ASubscriberRemovedWhileOthersAreToldIsNotCalledAfterwards) {
    ListenerList<int> listeners;
    std::string heard;
    int second = 0;
    listeners.Add([&](int value) {
        heard += "a" + std::to_string(value);
        listeners.Remove(second);
    });
    second = listeners.Add([&](int value) { heard += "b" + std::to_string(value); });
    listeners.Add([&](int value) { heard += "c" + std::to_string(value); });

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
