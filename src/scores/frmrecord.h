#pragma once

#include "dialogs/fixeddialog.h"
#include "scores/recordtable.h"

#include <QList>

#include <cstdint>

class FileAccess;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The high-score window: the table as a list and, at the end of a game with a good enough
// score, the name entry that adds the score to the table and saves it. It is made afresh
// for every opening, reads record.dat as it is made, and allows one entry per opening.
class frmRecord : public FixedDialog
{
    Q_OBJECT
public:
    // blnHighScoreClick: opened from the menu, only to look. score: the score of the game
    // just ended. The window is centred on its parent when shown.
    frmRecord(const FileAccess &files, const QString &programFolder, bool blnHighScoreClick,
              std::int32_t score, QWidget *parent = nullptr);
    ~frmRecord() override;

    void FillRecordList();
    void cmdEnter_Click();
    void cmdClose_Click();
    void Text1_GotFocus();
    void Text1_KeyPress(int KeyAscii);

    const RecordTable &table() const { return m_table; }
    std::int32_t newScore() const { return lngNewScore; }
    // The text that tells of a file failure, as shown; empty when there was none.
    QString notice() const;
    // Where the list's TABs stop, in pixels from the start of an item's text.
    const QList<qreal> &listTabStops() const { return m_tabStops; }

    // The controls, for the tests.
    QLabel *lblHighScore = nullptr;
    QListWidget *List1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *cmdEnter = nullptr;
    QPushButton *cmdClose = nullptr;
    QLabel *noticeLabel = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void showNotice(const QString &text);

    RecordTable m_table;
    bool m_blnHighScoreClick;
    std::int32_t lngNewScore = 0;
    std::int32_t m_scoreGiven;
    bool m_entryOpen = false;
    QList<qreal> m_tabStops;
};
