#pragma once

#include <string>

class QApplication;

namespace host {

// How the host's windows look and speak on the desktop: the host's style (HostStyle) and Qt's
// own dialogs and buttons translated for the locale ("pt-BR": Debian's qt6-translations-l10n).
// Missing translations leave Qt's English; nothing fails for them.
void InstallDesktopLook(QApplication& app, const std::string& locale);

} // namespace host
