#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

Translations::Translations() {
    auto qt = std::make_unique<QTranslator>();
    // Missing where Qt's translations are not installed: Qt's texts stay English.
    if (qt->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(qt.get()))
        installed_.push_back(std::move(qt));
}

Translations::~Translations() {
    for (const auto &translator : installed_)
        QCoreApplication::removeTranslator(translator.get());
}
