// Qt's own texts (the standard buttons of message boxes, file dialogs) in the
// editor's language, from the translations installed with Qt.
#pragma once

#include <QString>

#include <memory>

class QTranslator;

namespace velmora {

class QtTranslations {
public:
    QtTranslations();
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // Installs Qt's translation for `languageCode` on the application in place
    // of the one installed before. False, with Qt's texts left in English,
    // when Qt has none for it (English itself, or the translations package
    // missing).
    bool apply(const QString& languageCode);

private:
    std::unique_ptr<QTranslator> translator_;
};

}  // namespace velmora
