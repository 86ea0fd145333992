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

// QSaveFile reports the system's text but not the number, and a write cut short by a full
// disk gives it no text of its own ("Unknown error"). errno, cleared before each call, names
// the cause where the call set it; QSaveFile's own words serve where it did not.
FileError saveFileError(const QSaveFile &file, int errnoAfter)
{
    if (errnoAfter != 0) {
        return FileError{errnoAfter, QString::fromLocal8Bit(std::strerror(errnoAfter))};
    }
    if (file.error() == QFileDevice::NoError || file.errorString().isEmpty()) {
        return FileError{0, QStringLiteral("Unknown error")};
    }
    return FileError{0, file.errorString()};
}

// Rewrites a file whose folder takes no new file. The file is first grown to the new length
// with its space reserved, so a full disk fails before a byte of the old content changes
// (and the file is cut back to its old length); only then is it overwritten and cut to size.
FileWriteResult writeInPlace(const QByteArray &name, const QByteArray &bytes)
{
    FileWriteResult result;
    const int fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        result.error = lastError();
        return result;
    }
    auto fail = [&result, fd](int error) {
        errno = error;
        result.error = lastError();
        ::close(fd);
        return result;
    };
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0) {
        return fail(errno);
    }
    const off_t newSize = bytes.size();
    if (newSize > st.st_size) {
        if (const int error = ::posix_fallocate(fd, 0, newSize)) {
            // A partial reservation may have grown the file; the old bytes are untouched.
            const int cut = ::ftruncate(fd, st.st_size);
            static_cast<void>(cut);
            return fail(error);
        }
    }
    for (off_t done = 0; done < newSize;) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, newSize - done, done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            // A write that takes nothing would never end the loop.
            return fail(n < 0 ? errno : ENOSPC);
        }
        done += n;
    }
    if (::ftruncate(fd, newSize) != 0 || ::fsync(fd) != 0) {
        return fail(errno);
    }
    if (::close(fd) != 0) {
        result.error = lastError();
        return result;
    }
    result.ok = true;
    return result;
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
    const bool exists = ::access(name.constData(), F_OK) == 0;
    // A file that exists but may not be written is never replaced, not even through a new
    // file in a writable folder. Asked here, the system gives its own words for why.
    if (exists && ::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) != 0) {
        result.error = lastError();
        return result;
    }
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        // The folder takes no new file, but the file itself may be writable.
        if (exists) {
            return writeInPlace(name, bytes);
        }
        result.error = saveFileError(file, errno);
        return result;
    }
    errno = 0;
    // QSaveFile keeps a small write in memory and reports it whole; a full disk shows only
    // when the data goes out, and its commit would still put the cut file in place of the
    // old one. So the data is flushed and its size checked before the commit, and on any
    // failure the new file is cancelled.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.size() != bytes.size()) {
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
