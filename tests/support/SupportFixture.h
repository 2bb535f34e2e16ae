#pragma once

#include "HostValues.h"
#include "Morvale.h"
#include "Showavi.h"
#include "TMemDataSet.h"
#include "ui/Application.h"
#include "ui/HeadlessPlatform.h"
#include "ui/UserActions.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

// Host values as a host with fixed settings answers them; LoadBPL calls are kept for checks.
class FixedHostValues : public HostValues {
public:
    std::string FiliProc() const override { return "0001"; }
    std::string NomeFiliProc() const override { return "Matriz"; }
    bool ModuFili() const override { return true; }
    std::string Operador() const override { return OperatorCode; }
    std::string Token() const override { return "token-op"; }
    std::string WebURL() const override { return "127.0.0.1"; }
    int WebPort() const override { return 8211; }
    std::string DBPict(int kind) const override { return kind == 0 ? "9.99.999" : ""; }
    void LoadBPL(const std::string& code, const std::string& parameter) override {
        Loaded.emplace_back(code, parameter);
    }

    std::string OperatorCode = "OPER01";
    std::vector<std::pair<std::string, std::string>> Loaded;
};

// One application on the headless platform and installed host values per test.
class SupportTest : public ::testing::Test {
protected:
    SupportTest() {
        app.SetPlatform(platform);
        Morvale::InstallHostValues(&host);
    }
    ~SupportTest() override {
        Morvale::InstallHostValues(nullptr);
        while (Showavi::ActiveCount() > 0)
            Showavi::DeactiveShowAvi();
    }

    // Fields CODIGO (text 4) and NOME (text 30), rows in the given order, open.
    static void FillCodes(data::DataSet& dataSet,
                          const std::vector<std::pair<std::string, std::string>>& rows) {
        if (dataSet.Fields().empty()) {
            dataSet.AddField("CODIGO", data::FieldType::String, 4);
            dataSet.AddField("NOME", data::FieldType::String, 30);
        }
        data::Packet packet;
        packet.Fields = {{"CODIGO", data::FieldType::String, 4}, {"NOME", data::FieldType::String, 30}};
        for (const auto& [code, name] : rows)
            packet.Rows.push_back({code, name});
        dataSet.LoadFromPacket(packet);
    }

    ui::HeadlessPlatform platform;
    ui::Application app;
    ui::UserActions user{app};
    FixedHostValues host;
};
