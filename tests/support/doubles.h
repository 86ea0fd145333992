#pragma once

#include "ui/toolkit/fileaccess.h"
#include "ui/toolkit/platform.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>

// Recording stand-ins for the platform services. EventLog holds every call in order, one line
// each: "beep", "sound <file name>", "message <text>", "window Record|About|HowTo|Exit".
class EventLog
{
public:
    QStringList lines;
    void add(const QString &line) { lines << line; }
    int count(const QString &line) const { return int(lines.count(line)); }
    void clear() { lines.clear(); }
};

class RecordingBeeper : public Beeper
{
public:
    explicit RecordingBeeper(EventLog &log) : m_log(log) {}
    void beep() override { m_log.add(QStringLiteral("beep")); }
    EventLog &m_log;
};

class RecordingMessageBox : public MessageBox
{
public:
    explicit RecordingMessageBox(EventLog &log) : m_log(log) {}
    void showOk(const QString &text) override
    {
        texts << text;
        m_log.add(QStringLiteral("message ") + text);
        if (whileOpen) {
            whileOpen();
        }
    }
    QStringList texts;
    std::function<void()> whileOpen; // runs while the message is "open"
    EventLog &m_log;
};

class RecordingSound : public SoundSink
{
public:
    explicit RecordingSound(EventLog &log) : m_log(log) {}
    void playFile(const QString &path) override
    {
        paths << path;
        m_log.add(QStringLiteral("sound ") + path.section(QLatin1Char('/'), -1));
    }
    QStringList paths;
    EventLog &m_log;
};

inline QString windowName(Window w)
{
    return QStringList{"Record", "About", "HowTo", "Exit"}.value(int(w));
}

// Records each opening; the action given for a window runs while it is "open".
class ScriptedWindows : public WindowShower
{
public:
    explicit ScriptedWindows(EventLog &log) : m_log(log) {}
    void showModal(Window window) override
    {
        m_log.add(QStringLiteral("window ") + windowName(window));
        opened << window;
        if (auto action = actions.value(window)) {
            action();
        }
    }
    QList<Window> opened;
    QHash<Window, std::function<void()>> actions;
    EventLog &m_log;
};

// Files in memory; a path may fail reading or writing with a given error. A failed write
// leaves the old content, as the real atomic write does. Folders are writable unless set not.
class MemoryFiles : public FileAccess
{
public:
    bool fileExists(const QString &path) const override { return m_files.contains(path); }
    FileReadResult readAll(const QString &path) const override
    {
        if (m_failures.contains(path) || !m_files.contains(path)) {
            return {false,
                    {},
                    m_failures.value(path, {ENOENT, QString::fromLocal8Bit(strerror(ENOENT))})};
        }
        return {true, m_files.value(path), {}};
    }
    FileWriteResult writeAll(const QString &path, const QByteArray &bytes) const override
    {
        m_writeAttempts << path;
        if (m_writeFailures.contains(path)) {
            return {false, m_writeFailures.value(path)};
        }
        m_files.insert(path, bytes);
        return {true, {}};
    }
    bool folderWritable(const QString &folder) const override
    {
        return !m_readOnly.contains(folder);
    }
    void setFolderReadOnly(const QString &folder) { m_readOnly.insert(folder); }
    void put(const QString &path, const QByteArray &bytes) { m_files.insert(path, bytes); }
    std::optional<QByteArray> content(const QString &path) const
    {
        return m_files.contains(path) ? std::optional(m_files.value(path)) : std::nullopt;
    }
    void remove(const QString &path) { m_files.remove(path); }
    void failWith(const QString &path, int number, const QString &description)
    {
        m_failures.insert(path, {number, description});
    }
    void failWritesWith(const QString &path, int number, const QString &description)
    {
        m_writeFailures.insert(path, {number, description});
    }
    // Every path given to writeAll, failed writes included, in order.
    const QStringList &writeAttempts() const { return m_writeAttempts; }

private:
    mutable QHash<QString, QByteArray> m_files;
    QHash<QString, FileError> m_failures, m_writeFailures;
    mutable QStringList m_writeAttempts;
    QSet<QString> m_readOnly;
};
