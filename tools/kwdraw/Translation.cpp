#include "Translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kwdraw {

QString TranslationFolder() {
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {QStringLiteral("translations"), QStringLiteral("../share/kwdraw/translations")})
        if (here.exists(candidate)) return QDir::cleanPath(here.filePath(candidate));
    return {};
}

bool UseTranslation(QCoreApplication& app, const QLocale& locale, const QString& folder) {
    // Only Chinese is translated: any other language keeps the English the window is written in.
    if (locale.language() != QLocale::Chinese || folder.isEmpty()) return false;
    auto* own = new QTranslator(&app);
    if (!own->load(locale, QStringLiteral("kwdraw"), QStringLiteral("_"), folder)) {
        delete own;
        return false;
    }
    app.installTranslator(own);
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qt);
    else
        delete qt;
    return true;
}

}  // namespace kwdraw
