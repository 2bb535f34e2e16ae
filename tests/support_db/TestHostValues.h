#pragma once

#include "HostValues.h"
#include "Morvale.h"

#include <string>

// Host values a test sets field by field, installed for the lifetime of the object.
struct TestHostValues : HostValues {
    TestHostValues() { Morvale::InstallHostValues(this); }
    ~TestHostValues() override { Morvale::InstallHostValues(nullptr); }
    TestHostValues(const TestHostValues&) = delete;
    TestHostValues& operator=(const TestHostValues&) = delete;

    std::string FiliProc() const override { return filial; }
    std::string NomeFiliProc() const override { return "MATRIZ SAO PAULO"; }
    bool ModuFili() const override { return false; }
    std::string Operador() const override { return operador; }
    std::string Token() const override { return token; }
    std::string WebURL() const override { return webUrl; }
    int WebPort() const override { return webPort; }
    std::string DBPict(int) const override { return "9.99.999"; }
    void LoadBPL(const std::string&, const std::string&) override {}

    std::string filial = "0001";
    std::string operador = "DEMO";
    std::string token;
    std::string webUrl = "127.0.0.1";
    int webPort = 0;
};
