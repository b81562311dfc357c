#pragma once
// The window's language: its menus and messages in Chinese for a Chinese locale (the zh_CN
// translation shipped with kwdraw), in English otherwise.
#include <QString>

class QCoreApplication;
class QLocale;

namespace kwdraw {

// Where kwdraw's translations lie: beside the program in the build tree, under
// share/kwdraw/translations once installed.
QString TranslationFolder();

// Puts the translation of `locale` from `folder` into effect, with Qt's own for its standard
// buttons where the system has it. False (English stays) when there is none for the locale.
bool UseTranslation(QCoreApplication& app, const QLocale& locale, const QString& folder);

}  // namespace kwdraw
