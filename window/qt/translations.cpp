// SPDX-License-Identifier: MIT
#include "window/qt/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace ostrel {

int InstallSwedishTranslations(QCoreApplication& app) {
    int loaded = 0;
    // Debian ships Qt's Swedish texts as one file, qt_sv, not as qtbase_sv.
    auto* qt = new QTranslator(&app);
    if (qt->load("qt_sv", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(qt)) {
        ++loaded;
    } else {
        delete qt;
    }
    // Installed last, so it is asked first.
    auto* own = new QTranslator(&app);
    if (own->load(":/ostrel/ostrel_sv.qm") && QCoreApplication::installTranslator(own)) {
        ++loaded;
    } else {
        delete own;
    }
    return loaded;
}

}  // namespace ostrel
