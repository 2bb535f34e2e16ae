#pragma once

#include <QObject>
#include <functional>

class QEvent;

namespace host {

// An event filter as a function: it returns true to stop the event.
class EventWatcher : public QObject {
public:
    using Handler = std::function<bool(QObject& watched, QEvent& event)>;

    explicit EventWatcher(Handler handler) : m_handler(std::move(handler)) {}

    bool eventFilter(QObject* watched, QEvent* event) override { return m_handler(*watched, *event); }

private:
    Handler m_handler;
};

} // namespace host
