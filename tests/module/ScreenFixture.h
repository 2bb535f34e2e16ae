#pragma once

#include "CLI_Ped01000/TfrmCancelaPed.h"
#include "HostValues.h"
#include "testkit/ServerProcess.h"
#include "ui/Application.h"
#include "ui/HeadlessPlatform.h"
#include "ui/UserActions.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

// What the host tells the module, as a test chooses it.
class TestHostValues : public HostValues {
public:
    std::string Branch = "0001";
    std::string BranchName = "MATRIZ SAO PAULO";
    bool FixedBranch = false;
    std::string OperatorCode = "DEMO";
    std::string OperatorToken;
    std::string ServerHost;
    int ServerPort = 0;

    std::string FiliProc() const override { return Branch; }
    std::string NomeFiliProc() const override { return BranchName; }
    bool ModuFili() const override { return FixedBranch; }
    std::string Operador() const override { return OperatorCode; }
    std::string Token() const override { return OperatorToken; }
    std::string WebURL() const override { return ServerHost; }
    int WebPort() const override { return ServerPort; }
    std::string DBPict(int) const override { return "9.99.999"; }
    void LoadBPL(const std::string&, const std::string&) override {}
};

// One module load per test: a real pedserver on loopback shared by the suite, the shared lookup
// database on the server's SQLite file, host values, and an application with a main window on
// the headless platform.
class ScreenTest : public ::testing::Test {
protected:
    ScreenTest();
    ~ScreenTest() override;

    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // The host's call, as one event; fails the test when the event did not end normally.
    TfrmCancelaPed& OpenScreen();
    // Opens the screen with the branch fixed by the host, answering its filter dialog with cancel.
    TfrmCancelaPed& OpenScreenWithFixedBranch(const std::string& branch = "0001");
    // Answers the next filter dialog with its cancel button; counts the openings.
    void CancelNextFilterDialog();
    // Fills the orders with every order of the screen's branch, straight from the server.
    void LoadAllOrders(TfrmCancelaPed& screen);

    static std::unique_ptr<testkit::ServerProcess> server;
    TestHostValues host;
    ui::HeadlessPlatform platform;
    ui::Application app;
    ui::UserActions user{app};
    ui::Form* mainForm = nullptr;
    int filterDialogsShown = 0;
};
