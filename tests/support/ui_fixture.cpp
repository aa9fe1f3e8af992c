#include "ui_fixture.h"

#include "ui/mainform.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace velmora::test {

namespace {

void CopyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(source, target))
            throw std::runtime_error("cannot copy test data " + source.toStdString());
    }
}

}  // namespace

UiFixture::UiFixture() : oldTemp_(qgetenv("TEMP")), hadTemp_(qEnvironmentVariableIsSet("TEMP"))
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot make a temporary folder");
    QDir(dir_.path()).mkpath(QStringLiteral("program"));
    QDir(dir_.path()).mkpath(QStringLiteral("temp"));
    CopyTree(QStringLiteral(VELMORA_DATA_DIR), programFolder());
    qputenv("TEMP", tempFolder().toLocal8Bit());
}

UiFixture::~UiFixture()
{
    if (hadTemp_)
        qputenv("TEMP", oldTemp_);
    else
        qunsetenv("TEMP");
}

Environment UiFixture::environment() const
{
    return Environment{programFolder(), {}, settingsFile(),
                       [urls = openedUrls_, present = viewerPresent_](const QUrl& url) {
                           urls->push_back(url);
                           return *present;
                       },
                       recoveryFolder()};
}

QString UiFixture::recoveryFolder() const
{
    return dir_.path() + QStringLiteral("/recovery");
}

QString UiFixture::programFolder() const
{
    return dir_.path() + QStringLiteral("/program");
}

QString UiFixture::tempFolder() const
{
    return dir_.path() + QStringLiteral("/temp");
}

QString UiFixture::settingsFile() const
{
    return dir_.path() + QStringLiteral("/settings.ini");
}

void UiFixture::writeProgramFile(const QString& relativePath, const QByteArray& bytes) const
{
    const QString path = programFolder() + QLatin1Char('/') + relativePath;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file " + path.toStdString());
}

QByteArray UiFixture::readProgramFile(const QString& relativePath) const
{
    QFile file(programFolder() + QLatin1Char('/') + relativePath);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read test file " + file.fileName().toStdString());
    return file.readAll();
}

void UiFixture::removeProgramFile(const QString& relativePath) const
{
    QFile::remove(programFolder() + QLatin1Char('/') + relativePath);
}

std::unique_ptr<TMainForm> UiFixture::makeForm()
{
    return std::make_unique<TMainForm>(environment(), &prompts);
}

}  // namespace velmora::test
