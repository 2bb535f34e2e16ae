#include "Fixture.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Panel.h"

using namespace ui;

TEST(ComponentTest, OwnerDestroysOwnedComponentsAndFindsThemByNameInTheTree) {
    Application app;
    auto& form = app.CreateForm<Form>("frm");
    auto& panel = form.Add<Panel>("pan");
    auto& edit = panel.Add<Edit>("edt");
    edit.SetTag(99);
    EXPECT_EQ(form.FindComponent("edt"), &edit);
    EXPECT_EQ(form.Find<Edit>("edt")->Tag(), 99);
    EXPECT_EQ(edit.Owner(), &form);
    EXPECT_EQ(edit.Parent(), &panel);
    EXPECT_EQ(form.FindComponent("missing"), nullptr);
    form.DestroyComponent(edit);
    EXPECT_EQ(form.FindComponent("edt"), nullptr);
    EXPECT_EQ(panel.ControlCount(), 0);
}
