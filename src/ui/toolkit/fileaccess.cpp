#include "ui/toolkit/fileaccess.h"

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

QString latin1Text(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes);
}

QByteArray latin1Bytes(const QString &text)
{
    return text.toLatin1();
}
