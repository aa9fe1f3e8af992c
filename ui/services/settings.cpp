#include "ui/services/settings.h"

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

std::string Utf8(const QString& s)
{
    return s.toStdString();
}

}  // namespace

Settings::Settings(QString file) : file_(std::move(file)) {}

std::optional<QString> Settings::read(const QString& name) const
{
    const auto settings = Open(file_);
    const QVariant value = settings->value(name);
    if (!value.isValid())
        return std::nullopt;
    // A list (an unquoted comma in a hand-edited file) is not a text.
    if (value.metaType().id() != QMetaType::QString && value.metaType().id() != QMetaType::QByteArray)
        throw SettingsError("The setting \"" + Utf8(name) + "\" in " + Utf8(settings->fileName()) +
                            " is not a text.");
    return value.toString();
}

void Settings::write(const QString& name, const QString& value) const
{
    const auto settings = Open(file_);
    settings->setValue(name, value);
    settings->sync();
    if (settings->status() != QSettings::NoError)
        throw SettingsError("The setting \"" + Utf8(name) + "\" could not be written to " +
                            Utf8(settings->fileName()) +
                            (settings->status() == QSettings::FormatError ? " (the file is not in a readable form)."
                                                                           : " (the file cannot be written)."));
}

QString Settings::location() const
{
    return Open(file_)->fileName();
}

}  // namespace velmora
