#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

bool Translations::KeepsJapanese(const QStringList &uiLanguages) {
    if (uiLanguages.isEmpty())
        return true;
    const QString &first = uiLanguages.constFirst();
    return first == QLatin1String("C") || first.startsWith(QLatin1String("ja"));
}

Translations::Translations(const QStringList &uiLanguages) {
    if (KeepsJapanese(uiLanguages))
        Install(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    else
        Install(QStringLiteral("vantrell_en"), QStringLiteral(":/i18n"));
}

void Translations::Install(const QString &name, const QString &folder) {
    auto translator = std::make_unique<QTranslator>();
    // Missing where Qt's translations are not installed: those texts stay English.
    if (translator->load(name, folder) && QCoreApplication::installTranslator(translator.get()))
        installed_.push_back(std::move(translator));
}

Translations::~Translations() {
    for (const auto &translator : installed_)
        QCoreApplication::removeTranslator(translator.get());
}
