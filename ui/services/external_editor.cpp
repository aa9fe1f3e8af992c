#include "ui/services/external_editor.h"

#include <QFile>
#include <QProcess>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {

namespace {

// Enough for a burst of edits in one second, and for a folder full of
// planted names to end in an error rather than a long search.
constexpr int kMaxAttempts = 1000;

std::string Reason(int error)
{
    return std::strerror(error);
}

bool WriteAll(int fd, std::span<const uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes = bytes.subspan(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

QString CreateExclusiveFile(const std::function<QString(int attempt)>& pathFor, std::span<const uint8_t> bytes)
{
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const QString path = pathFor(attempt);
        const QByteArray name = QFile::encodeName(path);
        // O_EXCL refuses any existing name, a link included; O_NOFOLLOW says
        // the same once more for links.
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST || errno == ELOOP)
                continue;
            throw TempFileError("Cannot create the temporary file " + path.toStdString() + ": " + Reason(errno));
        }
        const bool written = WriteAll(fd, bytes);
        const int writeError = errno;
        const bool closed = ::close(fd) == 0;
        if (!written || !closed) {
            const int error = written ? errno : writeError;
            ::unlink(name.constData());
            throw TempFileError("Cannot write the temporary file " + path.toStdString() + ": " + Reason(error));
        }
        return path;
    }
    throw TempFileError("Cannot create a temporary file: every name like " + pathFor(0).toStdString() +
                        " is taken.");
}

EditorRun RunEditor(const QString& program, const QString& file)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments({file});
    // Like an inherited console: the editor's output goes where ours goes,
    // and nothing piles up in a pipe nobody reads.
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start();
    if (!process.waitForStarted(-1))
        return {false, process.errorString()};
    process.waitForFinished(-1);
    return {true, {}};
}

}  // namespace velmora
