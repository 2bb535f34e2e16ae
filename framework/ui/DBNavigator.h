#pragma once

#include "ui/Control.h"
#include "ui/DataLink.h"

#include <functional>

namespace data {
class DataSource;
}

namespace ui {

enum class NavigateButton { First, Prior, Next, Last };

// Buttons that move a dataset's cursor; each is enabled by where the cursor stands.
class DBNavigator : public Control {
public:
    explicit DBNavigator(std::string name = {});

    data::DataSource* DataSource() const { return m_link.Source(); }
    void SetDataSource(data::DataSource* source);

    // Enabled, with an open, non-empty dataset, and not already at that end.
    bool IsButtonEnabled(NavigateButton button) const;
    using Control::Click;
    // Moves the cursor when the button is enabled, then runs OnNavigate.
    void Click(NavigateButton button);

    std::function<void(DBNavigator& sender, NavigateButton button)> OnNavigate;

private:
    DataLink m_link;
};

} // namespace ui
