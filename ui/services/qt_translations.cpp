#include "ui/services/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace velmora {

QtTranslations::QtTranslations() = default;

QtTranslations::~QtTranslations()
{
    if (translator_)
        QCoreApplication::removeTranslator(translator_.get());
}

bool QtTranslations::apply(const QString& languageCode)
{
    if (translator_) {
        QCoreApplication::removeTranslator(translator_.get());
        translator_.reset();
    }
    auto translator = std::make_unique<QTranslator>();
    // "qtbase_ja.qm"; a code with a region ("pt_BR") falls back to the language.
    if (!translator->load(QLocale(languageCode), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
    return true;
}

}  // namespace velmora
