#include "support/doubles.h"

#include <cerrno>
#include <cstring>

QString windowName(Window w)
{
    switch (w) {
    case Window::Record:
        return QStringLiteral("Record");
    case Window::About:
        return QStringLiteral("About");
    case Window::HowTo:
        return QStringLiteral("HowTo");
    case Window::Exit:
        return QStringLiteral("Exit");
    }
    return {};
}

FileReadResult MemoryFiles::readAll(const QString &path) const
{
    FileReadResult r;
    if (auto f = m_failures.find(path); f != m_failures.end()) {
        r.error = f.value();
        return r;
    }
    auto it = m_files.find(path);
    if (it == m_files.end()) {
        r.error = FileError{ENOENT, QString::fromLocal8Bit(std::strerror(ENOENT))};
        return r;
    }
    r.ok = true;
    r.bytes = it.value();
    return r;
}

FileWriteResult MemoryFiles::writeAll(const QString &path, const QByteArray &bytes) const
{
    m_writeAttempts << path;
    FileWriteResult r;
    if (auto f = m_writeFailures.find(path); f != m_writeFailures.end()) {
        r.error = f.value();
        return r;
    }
    m_files.insert(path, bytes);
    r.ok = true;
    return r;
}
