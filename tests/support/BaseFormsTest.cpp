#include "OptionStore.h"
#include "SupportFixture.h"
#include "TfrmFiltroPadrao.h"
#include "TfrmPadraoGrid.h"
#include "testkit/TempDir.h"
#include "ui/Edit.h"

#include <cstdlib>
#include <fstream>

namespace {

using Log = std::vector<std::string>;

// A screen written the way the module writes one: base first where the base must run first,
// the base's close step inside its own close, its own handlers for the replaced ones.
class RecordingScreen : public TfrmPadraoGrid {
public:
    explicit RecordingScreen(Log& log) : TfrmPadraoGrid("frmTesteGrid"), m_log(log) {
        lblCodTela.SetCaption("TST01");
        SetHelpFile("teste.hlp");
        SetHelpContext(7);
    }

    void FormCreate(ui::Control& sender) override {
        TfrmPadraoGrid::FormCreate(sender);
        m_log.push_back("FormCreate");
    }
    void FormKeyDown(ui::Control& sender, int& key, ui::ShiftState shift) override {
        TfrmPadraoGrid::FormKeyDown(sender, key, shift);
        m_log.push_back("FormKeyDown " + std::to_string(key));
    }
    void dbgPadraoKeyDown(ui::Control& sender, int& key, ui::ShiftState shift) override {
        TfrmPadraoGrid::dbgPadraoKeyDown(sender, key, shift);
        bool editing = dtsPadrao.GetDataSet()->State() == data::DataSetState::Edit;
        m_log.push_back("dbgPadraoKeyDown " + std::to_string(key) + (editing ? " editing" : ""));
    }
    void FormClose(ui::Form& sender, ui::CloseAction& action) override {
        m_log.push_back("dialog released");
        TfrmPadraoGrid::FormClose(sender, action);
        m_log.push_back(action == ui::CloseAction::Free ? "action Free" : "action other");
    }
    void sbtVerificarClick(ui::Control&) override { m_log.push_back("own sbtVerificarClick"); }
    void dtsPadraoStateChange(data::DataSource&) override { m_log.push_back("own dtsPadraoStateChange"); }

private:
    Log& m_log;
};

class RecordingFilter : public TfrmFiltroPadrao {
public:
    explicit RecordingFilter(Log& log) : TfrmFiltroPadrao("frmTesteFiltro"), m_log(log) {
        lblCodTela.SetCaption("PED01001");
        Options().SetValue("left", "over");
    }

    void FormCreate(ui::Control& sender) override {
        TfrmFiltroPadrao::FormCreate(sender);
        m_log.push_back("FormCreate options " + std::to_string(Options().Count()));
    }
    void FormKeyDown(ui::Control& sender, int& key, ui::ShiftState shift) override {
        TfrmFiltroPadrao::FormKeyDown(sender, key, shift);
        m_log.push_back("FormKeyDown " + std::to_string(key));
    }
    void btfSaveOpcClick(ui::Control& sender) override {
        Options().SetValue("stNrPedido", stNrPedido);
        Options().SetValue("stVendedor", stVendedor);
        TfrmFiltroPadrao::btfSaveOpcClick(sender);
    }
    void btfLoadOpcClick(ui::Control& sender) override {
        TfrmFiltroPadrao::btfLoadOpcClick(sender);
        stNrPedido = Options().Value("stNrPedido");
        stVendedor = Options().Value("stVendedor");
    }

    std::string stNrPedido;
    std::string stVendedor;

private:
    Log& m_log;
};

// Points the user's configuration folder somewhere else for one test.
class ConfigFolder {
public:
    explicit ConfigFolder(const std::filesystem::path& path) {
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            m_old = old;
        setenv("XDG_CONFIG_HOME", path.c_str(), 1);
    }
    ~ConfigFolder() {
        if (m_old.empty())
            unsetenv("XDG_CONFIG_HOME");
        else
            setenv("XDG_CONFIG_HOME", m_old.c_str(), 1);
    }
    ConfigFolder(const ConfigFolder&) = delete;
    ConfigFolder& operator=(const ConfigFolder&) = delete;

private:
    std::string m_old;
};

class BaseFormsTest : public SupportTest {
protected:
    Log log;
    testkit::TempDir dir{"pedoptions"};
    ConfigFolder config{dir.Path()};
};

} // namespace

TEST_F(BaseFormsTest, TheGridFormFindsEveryInheritedComponentByName) {
    auto& screen = app.CreateForm<RecordingScreen>(log);
    for (const char* name :
         {"lblCodTela",    "panMenu",     "sbtAjuda",     "sbtImprimir", "sbtFechar",   "sbtProcurar",
          "sbtVerificar",  "sbtCancelar", "sbtConfirmar", "sbtAlterar",  "pgcPadrao",   "tshPadrao",
          "dbgPadrao",     "dtsPadrao",   "panNavigator", "dbtNome",     "dbnPadrao",   "mnuOperacao",
          "mnuManutencao", "mnuIncluir",  "mnuAlterar",   "mnuExcluir",  "mnuProcurar", "mnuVerificar",
          "mnuLinha3",     "mnuCancelar", "mnuConfirmar", "msgPadrao"})
        EXPECT_NE(screen.FindComponent(name), nullptr) << name;
    EXPECT_EQ(screen.Find<TDataSource>("dtsPadrao"), &screen.dtsPadrao);
    EXPECT_EQ(screen.dbgPadrao.DataSource(), &screen.dtsPadrao);
}

TEST_F(BaseFormsTest, TheGridFormRunsTheBaseFirstInCreateAndKeyHandlers) {
    auto& screen = app.CreateForm<RecordingScreen>(log);
    // The base's creation step asks for the state reaction, which this screen replaced.
    EXPECT_EQ(log, (Log{"own dtsPadraoStateChange", "FormCreate"}));
    auto& orders = screen.Create<TMemDataSet>("cdsPedido");
    FillCodes(orders, {{"0001", "Um"}, {"0002", "Dois"}});
    screen.dtsPadrao.SetDataSet(&orders);
    screen.sbtAlterar.SetEnabled(true);
    screen.Show();
    log.clear();

    user.PressKey(screen.dbgPadrao, ui::Key::F1);
    user.PressKey(screen.dbgPadrao, ui::Key::Return);
    EXPECT_EQ(log, (Log{"FormKeyDown 0", "FormKeyDown 13", "own dtsPadraoStateChange",
                        "dbgPadraoKeyDown 0 editing"}));
    EXPECT_EQ(platform.Infos(), std::vector<std::string>{"Ajuda: arquivo teste.hlp, tópico 7."});
}

TEST_F(BaseFormsTest, ReplacedHandlersRunInsteadOfTheBase) {
    auto& screen = app.CreateForm<RecordingScreen>(log);
    screen.Show();
    log.clear();
    int repaints = platform.RepaintCount();
    user.Click(screen.sbtVerificar);
    user.ClickMenu(screen.mnuVerificar);
    EXPECT_EQ(log, (Log{"own sbtVerificarClick", "own sbtVerificarClick"}));
    EXPECT_EQ(platform.RepaintCount(), repaints);
}

TEST_F(BaseFormsTest, ClosingTheScreenRunsTheBaseCloseStepAndFreesIt) {
    auto& screen = app.CreateForm<RecordingScreen>(log);
    screen.Show();
    log.clear();
    user.Click(screen.sbtFechar);
    EXPECT_EQ(log, (Log{"dialog released", "action Free"}));
    EXPECT_EQ(app.FindComponent("frmTesteGrid"), nullptr);
}

TEST_F(BaseFormsTest, TheFilterFormRunsTheBaseFirstAndClosesByItsButtonsAndKeys) {
    auto& filter = app.CreateForm<RecordingFilter>(log);
    EXPECT_EQ(log, Log{"FormCreate options 0"});
    for (const char* name :
         {"lblCodTela", "sbtConfirma", "sbtCancel", "sbtHelp", "btfSaveOpc", "btfLoadOpc", "msgPadrao"})
        EXPECT_NE(filter.FindComponent(name), nullptr) << name;
    auto& first = filter.Add<ui::Edit>("edtPrimeiro");
    auto& second = filter.Add<ui::Edit>("edtSegundo");

    platform.QueueModalAction([&] { user.PressKey(first, ui::Key::Return); });
    platform.QueueModalAction([&] { user.PressKey(second, ui::Key::Escape); });
    EXPECT_EQ(filter.ShowModal(), ui::ModalResult::Cancel);
    EXPECT_EQ(filter.ActiveControl(), &second);
    EXPECT_FALSE(filter.Visible());
    EXPECT_EQ(log, (Log{"FormCreate options 0", "FormKeyDown 0", "FormKeyDown 0"}));

    platform.QueueModalAction([&] { user.Click(filter.sbtConfirma); });
    EXPECT_EQ(filter.ShowModal(), ui::ModalResult::Ok);
    platform.QueueModalAction([&] { user.Click(filter.sbtCancel); });
    EXPECT_EQ(filter.ShowModal(), ui::ModalResult::Cancel);
    EXPECT_NE(app.FindComponent("frmTesteFiltro"), nullptr);
}

TEST_F(BaseFormsTest, OptionsAreSavedLastAndLoadedFirstPerOperatorAndScreen) {
    auto& filter = app.CreateForm<RecordingFilter>(log);
    filter.Show();
    filter.stNrPedido = "0000000001_0000000007";
    filter.stVendedor = "0001_0003";
    user.Click(filter.btfSaveOpc);
    EXPECT_EQ(platform.Infos(), std::vector<std::string>{"Opções gravadas."});
    std::filesystem::path file = dir.Path() / "pedcancel" / "OPER01" / "PED01001.opt";
    EXPECT_EQ(OptionStore::PathFor("OPER01", "PED01001"), file);
    EXPECT_EQ(testkit::ReadTextFile(file), "stNrPedido=0000000001_0000000007\nstVendedor=0001_0003\n");

    filter.stNrPedido.clear();
    filter.stVendedor = "9999";
    user.Click(filter.btfLoadOpc);
    EXPECT_EQ(filter.stNrPedido, "0000000001_0000000007");
    EXPECT_EQ(filter.stVendedor, "0001_0003");

    host.OperatorCode = "OPER02";
    user.Click(filter.btfLoadOpc);
    EXPECT_EQ(filter.stVendedor, "0001_0003");
    ASSERT_EQ(platform.Errors().size(), 1u);
    EXPECT_EQ(platform.Errors()[0].rfind("Não há opções gravadas para esta tela", 0), 0u)
        << platform.Errors()[0];
}

TEST_F(BaseFormsTest, AFailedSaveShowsAClearErrorAndKeepsTheOldOptions) {
    auto& filter = app.CreateForm<RecordingFilter>(log);
    filter.Show();
    filter.stVendedor = "0001";
    user.Click(filter.btfSaveOpc);
    std::ofstream(dir.Path() / "blocker") << "not a folder";
    ConfigFolder broken(dir.Path() / "blocker");
    filter.stVendedor = "0002";
    user.Click(filter.btfSaveOpc);
    ASSERT_EQ(platform.Errors().size(), 1u);
    EXPECT_EQ(platform.Errors()[0].rfind("Não foi possível gravar as opções em", 0), 0u)
        << platform.Errors()[0];
    EXPECT_EQ(platform.Infos().size(), 1u);
    EXPECT_EQ(testkit::ReadTextFile(dir.Path() / "pedcancel" / "OPER01" / "PED01001.opt"),
              "stNrPedido=\nstVendedor=0001\n");
}
