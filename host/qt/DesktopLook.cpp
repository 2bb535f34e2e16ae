#include "qt/DesktopLook.h"

#include "qt/HostStyle.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

namespace host {

void InstallDesktopLook(QApplication& app, const std::string& locale) {
    // The style is given to the application, which owns it; the base is Fusion so that every
    // desktop draws the same.
    QApplication::setStyle(new HostStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    const QLocale language(QString::fromStdString(locale).replace('-', '_'));
    QLocale::setDefault(language);
    auto* translator = new QTranslator(&app); // owned by the application
    if (translator->load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

} // namespace host
