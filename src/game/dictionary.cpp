#include "game/frmmain.h"

#include "ui/toolkit/fileaccess.h"

#include <cerrno>
#include <cstring>

void frmMain::LoadDictionary()
{
    const QString path = m_platform.programFolder + QStringLiteral("/ShortList8.txt");
    FileReadResult read = m_platform.files.readAll(path);
    if (read.ok && read.bytes.isEmpty()) {
        // A word list without a single byte would make every word wrong, and a player would
        // only find out by playing: it is refused like a missing one.
        read.ok = false;
        read.error = FileError{ENODATA, QString::fromLocal8Bit(std::strerror(ENODATA))};
    }
    if (read.ok) {
        m_words.setBytes(read.bytes);
        return;
    }
    m_words.clear();
    m_loadFailed = true;
    // Nothing may move behind the message: the fill timer is still enabled from the design
    // at this point of start-up, and the blink timer counts too.
    TimerNichlaDabaFill.setEnabled(false);
    Timer1.setEnabled(false);
    TimerResultBlink.setEnabled(false);
    m_platform.messageBox.showOk(QStringLiteral("Error ") + QString::number(read.error.number) +
                                 QStringLiteral(" opening file.") + QStringLiteral("\r\n") +
                                 read.error.description);
    Form_Unload();
}
