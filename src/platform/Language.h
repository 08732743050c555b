#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace vm {

class Settings;

// The language of the texts a person reads. The Japanese texts are the
// source texts in the code; English comes from translations/velomira_en.ts.
enum class UiLanguage { Japanese, English };

// The language from a choice "ja" | "en" | "auto": "auto" (and anything
// else) follows the locale name, Japanese for "ja*", English otherwise.
UiLanguage resolveLanguage(const QString &choice, const QString &localeName);

// Removes "--lang X" and "--lang=X" from arguments; the last value given,
// or empty when there is none.
QString takeLanguageOption(QStringList &arguments);

// The folder of the compiled translations beside the executables:
// share/velomira/translations of an installation, else translations/ in
// the executables' folder (the build tree).
QString translationsDir(const QString &executableDir);

// Installs the translation of language (Japanese needs none, being the
// source); false when its file is missing. Command-line tools call it with
// English, the language of their other output.
bool loadTranslation(QCoreApplication &app, UiLanguage language);

// Picks the language (--lang in arguments, which is passed on to child
// programs in $VELOMIRA_LANG; else $VELOMIRA_LANG; else [Velomira] Language
// in settings; else the locale), installs the translator for it and removes
// the option from arguments. Returns the language chosen; English without
// its translation file falls back to the source texts with a warning.
UiLanguage installTranslator(QCoreApplication &app, const Settings &settings, QStringList &arguments);

} // namespace vm
