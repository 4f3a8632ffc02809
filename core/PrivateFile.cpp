#include "core/PrivateFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vb::files {
namespace {

constexpr mode_t kPrivate = S_IRUSR | S_IWUSR;

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

bool writeAll(int fd, const QByteArray& content)
{
    const char* p = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

QString describeSystemError(int errnum)
{
    switch (errnum) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return QStringLiteral("lo spazio sul disco è esaurito");
    case EROFS: return QStringLiteral("il disco è protetto dalla scrittura");
    case EACCES:
    case EPERM: return QStringLiteral("mancano i permessi necessari");
    case ENOENT:
    case ENOTDIR: return QStringLiteral("la cartella non esiste (più)");
    case EEXIST: return QStringLiteral("il file esiste già");
    case EIO: return QStringLiteral("il disco non risponde (errore di lettura o scrittura)");
    case ENODEV:
    case ENXIO: return QStringLiteral("il disco è stato scollegato");
    default: return QStringLiteral("errore del sistema numero %1").arg(errnum);
    }
}

bool createPrivate(const QString& path, QString* error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kPrivate);
    if (fd < 0) {
        setError(error, describeSystemError(errno));
        return false;
    }
    // The umask may have taken bits away from the owner too.
    const bool ok = ::fchmod(fd, kPrivate) == 0;
    const int err = errno;
    ::close(fd);
    if (!ok) {
        QFile::remove(path);
        setError(error, describeSystemError(err));
        return false;
    }
    return true;
}

bool saveAtomically(const QString& path, const QByteArray& content, QString* error)
{
    const QFileInfo info(path);
    QByteArray temp = QFile::encodeName(info.absoluteFilePath() + QStringLiteral(".tmp-XXXXXX"));
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        setError(error, describeSystemError(errno));
        return false;
    }
    bool ok = ::fchmod(fd, kPrivate) == 0 && writeAll(fd, content) && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(temp.constData());
        setError(error, describeSystemError(err));
        return false;
    }
    if (::rename(temp.constData(), QFile::encodeName(info.absoluteFilePath()).constData()) != 0) {
        const int renameErr = errno;
        ::unlink(temp.constData());
        setError(error, describeSystemError(renameErr));
        return false;
    }
    syncFolder(info.absolutePath());
    return true;
}

bool saveAtomically(const QString& path, const std::function<void(QIODevice&)>& write, QString* error)
{
    // The cause of a failure is the system's error of the call that failed; a failure
    // that left none (a device error of Qt's own) is told as a write that did not go through.
    const auto fail = [error] {
        setError(error, errno ? describeSystemError(errno) : QStringLiteral("la scrittura non è andata a buon fine"));
        return false;
    };
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fail();
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return fail();
    write(file);
    errno = 0;
    if (file.error() != QFileDevice::NoError || !file.commit())
        return fail();
    syncFolder(QFileInfo(path).absolutePath());
    return true;
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace vb::files
