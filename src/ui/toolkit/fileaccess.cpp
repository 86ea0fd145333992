#include "ui/toolkit/fileaccess.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileError lastError()
{
    const int e = errno;
    return FileError{e, QString::fromLocal8Bit(std::strerror(e))};
}

// QSaveFile reports the system's text but not the number, and a short write reports
// nothing at all. The number is taken from errno right after the failing call where the
// text matches it or where QSaveFile gave no text of its own.
FileError saveFileError(const QSaveFile &file, int errnoAfter)
{
    const QString systemText =
        errnoAfter != 0 ? QString::fromLocal8Bit(std::strerror(errnoAfter)) : QString();
    if (errnoAfter != 0 &&
        (file.error() == QFileDevice::NoError || file.errorString() == systemText)) {
        return FileError{errnoAfter, systemText};
    }
    if (file.error() == QFileDevice::NoError || file.errorString().isEmpty()) {
        return FileError{0, QStringLiteral("Unknown error")};
    }
    return FileError{0, file.errorString()};
}

} // namespace

bool SystemFileAccess::fileExists(const QString &path) const
{
    struct stat st
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

FileReadResult SystemFileAccess::readAll(const QString &path) const
{
    FileReadResult result;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.error = lastError();
        return result;
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0) {
        result.error = lastError();
        ::close(fd);
        return result;
    }
    if (S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        result.error = lastError();
        ::close(fd);
        return result;
    }
    if (st.st_size > 0) {
        result.bytes.reserve(static_cast<qsizetype>(st.st_size));
    }
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.error = lastError();
            ::close(fd);
            result.bytes.clear();
            return result;
        }
        if (n == 0) {
            break;
        }
        result.bytes.append(buf, static_cast<qsizetype>(n));
    }
    ::close(fd);
    result.ok = true;
    return result;
}

FileWriteResult SystemFileAccess::writeAll(const QString &path, const QByteArray &bytes) const
{
    FileWriteResult result;
    const QByteArray name = QFile::encodeName(path);
    // A file that exists but may not be written is never replaced, not even through a new
    // file in a writable folder. Asked here, the system gives its own words for why.
    if (::access(name.constData(), F_OK) == 0 &&
        ::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) != 0) {
        result.error = lastError();
        return result;
    }
    QSaveFile file(path);
    // A folder that cannot take the temporary file may still hold a writable file: then the
    // file is rewritten in place, which is not safe from a crash but saves all the same.
    file.setDirectWriteFallback(true);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = saveFileError(file, errno);
        return result;
    }
    errno = 0;
    // A short write is no error to QSaveFile, whose commit would then put a cut file in
    // place of the old one: it is cancelled here instead.
    if (file.write(bytes) != bytes.size()) {
        result.error = saveFileError(file, errno);
        file.cancelWriting();
        return result;
    }
    errno = 0;
    if (!file.commit()) {
        result.error = saveFileError(file, errno);
        return result;
    }
    result.ok = true;
    return result;
}

QString latin1Text(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes);
}

QByteArray latin1Bytes(const QString &text)
{
    return text.toLatin1();
}

bool SystemFileAccess::folderWritable(const QString &folder) const
{
    struct stat st
    {
    };
    const QByteArray name = QFile::encodeName(folder);
    return ::stat(name.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           ::access(name.constData(), W_OK | X_OK) == 0;
}
