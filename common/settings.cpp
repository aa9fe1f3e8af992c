#include "common/settings.h"

#include <QSettings>

#include <memory>

namespace velmora {

namespace {

std::unique_ptr<QSettings> Open(const QString& file)
{
    if (file.isEmpty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           QStringLiteral("Oskel"), QStringLiteral("Quorvix"));
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

}  // namespace

Settings::Settings(QString file) : file_(std::move(file)) {}

Result<std::optional<QString>> Settings::read(const QString& name) const
{
    const auto settings = Open(file_);
    const QVariant value = settings->value(name);
    if (!value.isValid())
        return std::optional<QString>();
    // A list (an unquoted comma in a hand-edited file) is not a text.
    if (value.metaType().id() != QMetaType::QString && value.metaType().id() != QMetaType::QByteArray)
        return Failure{FailureKind::Damaged,
                       QStringLiteral("The setting \"%1\" in %2 is not a text.").arg(name, settings->fileName()),
                       settings->fileName()};
    return std::optional<QString>(value.toString());
}

Result<void> Settings::write(const QString& name, const QString& value) const
{
    const auto settings = Open(file_);
    settings->setValue(name, value);
    settings->sync();
    if (settings->status() == QSettings::NoError)
        return {};
    return Failure{FailureKind::CannotWrite,
                   QStringLiteral("The setting \"%1\" could not be written to %2 %3")
                       .arg(name, settings->fileName(),
                            settings->status() == QSettings::FormatError
                                ? QStringLiteral("(the file is not in a readable form).")
                                : QStringLiteral("(the file cannot be written).")),
                   settings->fileName()};
}

QString Settings::location() const
{
    return Open(file_)->fileName();
}

}  // namespace velmora
