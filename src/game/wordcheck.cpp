#include "game/frmmain.h"

#include "ui/toolkit/conversions.h"

void frmMain::btnCheck_Click()
{
    const bool found = CheckWord();
    if (found) {
        clearResult(false);
    }
}

bool frmMain::CheckWord()
{
    QString word;
    for (int k = 1; k <= 8; ++k) {
        word += Result[k].caption();
    }
    word = word.toLower();
    const bool found = m_words.contains(word);
    bool result = false;
    if (!word.isEmpty()) {
        if (found) {
            lblResult.setForeColor(Colour::rgb(0, 0, 255));
            lblResult.setCaption(QStringLiteral("Correct"));
            PlayEffect(1);
            if (!blnGameOver) {
                const std::int32_t length = static_cast<std::int32_t>(word.size());
                const double score = conv::textToDouble(lblScore.caption()) + length * length * 10;
                lblScore.setCaption(conv::numberToText(score));
            }
            SetOoperDabaAll();
            result = true;
        } else {
            lblResult.setForeColor(Colour::rgb(255, 0, 0));
            lblResult.setCaption(QStringLiteral("Wrong"));
            PlayEffect(2);
        }
    }
    // Every message stays its full two seconds: the count starts again at each Enter.
    TimerResultBlink.restart();
    return result;
}

void frmMain::TimerResultBlink_Timer()
{
    lblResult.setCaption(QString());
    TimerResultBlink.setEnabled(false);
}
