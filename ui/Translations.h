#pragma once

#include <QTranslator>

#include <memory>
#include <vector>

// Loads the translations the interface is shown with and installs them in the
// application for as long as the object lives: Qt's own texts (the buttons of
// message boxes, the colour and file dialogs) in Japanese, like the rest of the
// interface.
class Translations {
public:
    Translations();
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

private:
    std::vector<std::unique_ptr<QTranslator>> installed_;
};
