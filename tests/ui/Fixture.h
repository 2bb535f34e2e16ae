#pragma once

#include "ui/Application.h"
#include "ui/HeadlessPlatform.h"
#include "ui/UserActions.h"

#include <gtest/gtest.h>

// One application on the headless platform per test.
class UiTest : public ::testing::Test {
protected:
    UiTest() { app.SetPlatform(platform); }

    ui::HeadlessPlatform platform;
    ui::Application app;
    ui::UserActions user{app};
};
