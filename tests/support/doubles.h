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

// Recording stand-ins; EventLog: "beep", "sound <file>", "message <text>", "window <name>".
struct EventLog
{
    QStringList lines;
    void add(const QString &line) { lines << line; }
    int count(const QString &line) const { return int(lines.count(line)); }
};
struct RecordingBeeper : Beeper
{
    explicit RecordingBeeper(EventLog &l) : log(l) {}
    EventLog &log;
    void beep() override { log.add("beep"); }
};
struct RecordingMessageBox : MessageBox // whileOpen runs while the message is "open"
{
    explicit RecordingMessageBox(EventLog &l) : log(l) {}
    EventLog &log;
    std::function<void()> whileOpen = [] {};
    void showOk(const QString &t) override { log.add("message " + t), whileOpen(); }
};
struct RecordingSound : SoundSink
{
    explicit RecordingSound(EventLog &l) : log(l) {}
    EventLog &log;
    QStringList paths;
    void playFile(const QString &p) override { paths << p, log.add("sound " + p.section('/', -1)); }
};
struct ScriptedWindows : WindowShower // the action given for a window runs while it is "open"
{
    explicit ScriptedWindows(EventLog &l) : log(l) {}
    EventLog &log;
    QHash<Window, std::function<void()>> actions;
    void showModal(Window w) override
    {
        log.add("window " + QStringList{"Record", "About", "HowTo", "Exit"}.value(int(w)));
        actions.value(w, [] {})();
    }
};

// Files in memory that may fail with a given error; a failed write keeps the old content.
class MemoryFiles : public FileAccess
{
public:
    bool fileExists(const QString &path) const override { return m_files.contains(path); }
    FileReadResult readAll(const QString &path) const override
    {
        const bool ok = fileExists(path) && !m_readErr.contains(path);
        return {ok, m_files.value(path),
                m_readErr.value(path, ok ? FileError() : FileError{ENOENT, strerror(ENOENT)})};
    }
    FileWriteResult writeAll(const QString &path, const QByteArray &bytes) const override
    {
        m_writeErr.contains(path) ? void() : void(m_files.insert(path, bytes));
        return {!m_writeErr.contains(path), m_writeErr.value(path)};
    }
    bool folderWritable(const QString &f) const override { return !m_readOnly.contains(f); }
    void setFolderReadOnly(const QString &folder) { m_readOnly.insert(folder); }
    void put(const QString &path, const QByteArray &bytes) { m_files.insert(path, bytes); }
    std::optional<QByteArray> content(const QString &path) const
    {
        return fileExists(path) ? std::optional(m_files.value(path)) : std::nullopt;
    }
    void remove(const QString &path) { m_files.remove(path); }
    void failWith(const QString &p, int n, const QString &t) { m_readErr.insert(p, {n, t}); }
    void failWritesWith(const QString &p, int n, const QString &t) { m_writeErr.insert(p, {n, t}); }

private:
    mutable QHash<QString, QByteArray> m_files;
    QHash<QString, FileError> m_readErr, m_writeErr;
    QSet<QString> m_readOnly;
};
