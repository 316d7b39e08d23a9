#pragma once

#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include <memory>
#include <vector>

// Loads the translations the interface is shown with and installs them in the
// application for as long as the object lives. Japanese is the interface's own
// language: it is kept, with Qt's own texts (message box buttons, the colour and file
// dialogs) in Japanese too, when the user's first UI language is Japanese or the
// locale is C or POSIX. Any other language gets the English interface, and Qt's own
// texts stay in English.
class Translations {
public:
    explicit Translations(const QStringList &uiLanguages = QLocale::system().uiLanguages());
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

    static bool KeepsJapanese(const QStringList &uiLanguages);

private:
    void Install(const QString &name, const QString &folder);

    std::vector<std::unique_ptr<QTranslator>> installed_;
};
