#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01001/Cli_ped01001.h"
#include "PKG_PED01000/PKG_PED01000.h"

#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// The module as the host sees it: opened by path, every name looked up in its symbol table.
class LoadedModule {
public:
    LoadedModule() : m_handle(dlopen(PED_MODULE_PATH, RTLD_NOW)) {}
    ~LoadedModule() {
        if (m_handle)
            dlclose(m_handle);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    bool IsOpen() const { return m_handle != nullptr; }
    void* Symbol(const std::string& name) const { return dlsym(m_handle, name.c_str()); }

private:
    void* m_handle;
};

nlohmann::json ReadDescriptor() {
    std::ifstream in(PED_MODULE_DESCRIPTOR);
    return nlohmann::json::parse(in);
}

class PackageTest : public ::testing::Test {
protected:
    void SetUp() override { Initialize(); }
    void TearDown() override { Finalize(); }
};

} // namespace

TEST_F(PackageTest, UnitTableListsTheUnitsInDependencyOrder) {
    const PackageInfoTable* table = GetPackageInfoTable();
    ASSERT_NE(table, nullptr);
    std::vector<std::string> names;
    for (int i = 0; i < table->UnitCount; ++i)
        names.emplace_back(table->Units[i].UnitName);
    EXPECT_EQ(names, (std::vector<std::string>{"PKG_PED01000", "CLI_Ped01000", "CLI_Ped01001"}));
}

TEST_F(PackageTest, InitializeRunsTheUnitInitialisationsOnlyOncePerLoad) {
    boIdCriado = true;
    boTeclado = true;
    stNrPedido = "0000000001";
    Initialize();
    EXPECT_TRUE(boIdCriado);
    EXPECT_TRUE(boTeclado);
    EXPECT_EQ(stNrPedido, "0000000001");
}

TEST_F(PackageTest, FinalizeReleasesTheTextsAndANewLoadInitialisesAgain) {
    boIdCriado = true;
    stVendedor = "0001_0002";
    stSelNrPedido = "0000000007";
    Filtro.Cliente.stLista = "000001";
    Filtro.stReservado = "kept until unload";
    Finalize();
    EXPECT_EQ(stVendedor, "");
    EXPECT_EQ(stSelNrPedido, "");
    EXPECT_EQ(Filtro.Cliente.stLista, "");
    EXPECT_EQ(Filtro.stReservado, "");
    EXPECT_TRUE(boIdCriado) << "finalisation frees texts, it does not reset flags";
    Initialize();
    EXPECT_FALSE(boIdCriado);
}

TEST(ModuleSymbols, EntryPointsAndUnitVariablesAreFoundByTheirPlainNames) {
    LoadedModule module;
    ASSERT_TRUE(module.IsOpen()) << dlerror();
    EXPECT_EQ(module.Symbol("IniProc"), reinterpret_cast<void*>(&IniProc));
    EXPECT_EQ(module.Symbol("CriaCancelaPedido"), reinterpret_cast<void*>(&CriaCancelaPedido));
    EXPECT_EQ(module.Symbol("CriaFiltroCancelaPed"), reinterpret_cast<void*>(&CriaFiltroCancelaPed));
    EXPECT_EQ(module.Symbol("ContaChecked"), reinterpret_cast<void*>(&ContaChecked));
    // This test program links the module, so its variables live in the program (copy relocations)
    // and the module's code uses those; the process-wide lookup finds the same objects.
    const std::vector<std::pair<std::string, void*>> variables = {
        {"Filtro", &Filtro},
        {"boIdCriado", &boIdCriado},
        {"frmCancelaPed", &frmCancelaPed},
        {"frmFiltroCancelaPed", &frmFiltroCancelaPed},
        {"STCDFILIAL", &STCDFILIAL},
        {"stNrPedido", &stNrPedido},
        {"inContDesabilitadosIPed", &inContDesabilitadosIPed},
    };
    for (const auto& [name, address] : variables) {
        EXPECT_NE(module.Symbol(name), nullptr) << name;
        EXPECT_EQ(dlsym(RTLD_DEFAULT, name.c_str()), address) << name;
    }
}

TEST(ModuleDescriptor, NamesTheLibraryItsUnitsScreensAndHooksBesideTheLibrary) {
    const nlohmann::json descriptor = ReadDescriptor();
    const std::filesystem::path folder = std::filesystem::path(PED_MODULE_DESCRIPTOR).parent_path();
    EXPECT_EQ(descriptor.at("package"), "PKG_PED01000");
    EXPECT_EQ(folder / descriptor.at("library").get<std::string>(), std::filesystem::path(PED_MODULE_PATH));
    EXPECT_EQ(descriptor.at("contains"), (nlohmann::json{"PKG_PED01000", "CLI_Ped01000", "CLI_Ped01001"}));
    EXPECT_EQ(descriptor.at("screens"), (nlohmann::json{{"PED01000", "IniProc"}}));

    LoadedModule module;
    ASSERT_TRUE(module.IsOpen()) << dlerror();
    for (const auto& [code, entry] : descriptor.at("screens").items())
        EXPECT_NE(module.Symbol(entry.get<std::string>()), nullptr) << code;
    EXPECT_NE(module.Symbol(descriptor.at("initialize").get<std::string>()), nullptr);
    EXPECT_NE(module.Symbol(descriptor.at("finalize").get<std::string>()), nullptr);
    for (const auto& required : descriptor.at("requires"))
        EXPECT_TRUE(std::filesystem::exists(folder / required.get<std::string>())) << required;
    // Every variable offered to scripts is exported, under the type the descriptor gives.
    const std::set<std::string> types = {"bool", "int32", "string"};
    for (const auto& [name, type] : descriptor.at("variables").items()) {
        EXPECT_NE(module.Symbol(name), nullptr) << name;
        EXPECT_TRUE(types.count(type.get<std::string>())) << name << ": " << type;
    }
    EXPECT_EQ(descriptor.at("variables").at("inContPedidoCh"), "int32");
    EXPECT_EQ(descriptor.at("variables").at("boTeclado"), "bool");
    EXPECT_EQ(descriptor.at("variables").at("stSelNrPedido"), "string");
}
