#include "platform/Language.h"

#include "common/DataDir.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vm {

UiLanguage resolveLanguage(const QString &choice, const QString &localeName)
{
    if (choice == u"ja")
        return UiLanguage::Japanese;
    if (choice == u"en")
        return UiLanguage::English;
    return localeName.startsWith(u"ja") ? UiLanguage::Japanese : UiLanguage::English;
}

QString takeLanguageOption(QStringList &arguments)
{
    QString value;
    for (qsizetype i = 0; i < arguments.size();) {
        if (arguments[i] == u"--lang" && i + 1 < arguments.size()) {
            value = arguments[i + 1];
            arguments.remove(i, 2);
        } else if (arguments[i].startsWith(u"--lang=")) {
            value = arguments[i].mid(7);
            arguments.remove(i);
        } else {
            ++i;
        }
    }
    return value;
}

QString translationsDir(const QString &executableDir)
{
    const QString share = installedShareDir(executableDir);
    return QDir(share.isEmpty() ? executableDir : share).filePath(QStringLiteral("translations"));
}

bool loadTranslation(QCoreApplication &app, UiLanguage language)
{
    const QString code = language == UiLanguage::Japanese ? QStringLiteral("ja") : QStringLiteral("en");
    // Qt's own texts (dialog buttons) in the same language, when installed.
    auto *qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    if (language == UiLanguage::Japanese)
        return true;
    auto *own = new QTranslator(&app);
    if (!own->load(QStringLiteral("velomira_") + code,
                   translationsDir(QCoreApplication::applicationDirPath())))
        return false;
    return QCoreApplication::installTranslator(own);
}

UiLanguage installTranslator(QCoreApplication &app, const Settings &settings, QStringList &arguments)
{
    // --lang passes on to the programs this one starts (velomira starts tunavox).
    QString choice = takeLanguageOption(arguments);
    if (!choice.isEmpty())
        qputenv("VELOMIRA_LANG", choice.toUtf8());
    else
        choice = qEnvironmentVariable("VELOMIRA_LANG");
    if (choice.isEmpty())
        choice = settings.value(keys::Language);
    const UiLanguage language = resolveLanguage(choice, QLocale::system().name());
    if (!loadTranslation(app, language))
        qWarning("velomira: the English translation is missing; showing Japanese texts");
    return language;
}

} // namespace vm
