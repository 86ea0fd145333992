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

// What the stand-ins were asked: "beep", "sound <file name>", "message <text>", "window <name>".
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
struct RecordingMessageBox : MessageBox
{
    explicit RecordingMessageBox(EventLog &l) : log(l) {}
    EventLog &log;
    std::function<void()> whileOpen = [] {}; // runs while the message is open
    void showOk(const QString &text) override
    {
        log.add("message " + text);
        whileOpen();
    }
};
struct RecordingSound : SoundSink
{
    explicit RecordingSound(EventLog &l) : log(l) {}
    EventLog &log;
    QStringList paths;
    void playFile(const QString &path) override
    {
        paths << path;
        log.add("sound " + path.section('/', -1));
    }
};
struct ScriptedWindows : WindowShower // the action given for a window runs while it is open
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
        if (!fileExists(path) || m_readErr.contains(path)) {
            return {false, {}, m_readErr.value(path, {ENOENT, strerror(ENOENT)})};
        }
        return {true, m_files[path], {}};
    }
    FileWriteResult writeAll(const QString &path, const QByteArray &bytes) const override
    {
        if (m_writeErr.contains(path)) {
            return {false, m_writeErr[path]};
        }
        m_files.insert(path, bytes);
        return {true, {}};
    }
    bool folderWritable(const QString &dir) const override { return !m_readOnly.contains(dir); }
    void setFolderReadOnly(const QString &folder) { m_readOnly.insert(folder); }
    void put(const QString &path, const QByteArray &bytes) { m_files.insert(path, bytes); }
    void remove(const QString &path) { m_files.remove(path); }
    std::optional<QByteArray> content(const QString &path) const // none: no such file
    {
        return fileExists(path) ? std::optional(m_files[path]) : std::nullopt;
    }
    void failWith(const QString &path, int error, const QString &text)
    {
        m_readErr.insert(path, {error, text});
    }
    void failWritesWith(const QString &path, int error, const QString &text)
    {
        m_writeErr.insert(path, {error, text});
    }

private:
    mutable QHash<QString, QByteArray> m_files;
    QHash<QString, FileError> m_readErr, m_writeErr;
    QSet<QString> m_readOnly;
};
