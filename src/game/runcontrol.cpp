#include "game/frmmain.h"

#include "game/mainobserver.h"
#include "ui/toolkit/clock.h"
#include "ui/toolkit/conversions.h"

void frmMain::btnStart_Click()
{
    if (isPainting() || m_unloaded) {
        return;
    }
    const QString state = btnStart.caption();
    if (state == QLatin1String("Start")) {
        TimerNichlaDabaFill.setEnabled(true);
        Timer1.setEnabled(true);
        btnStart.setCaption(QStringLiteral("Pause"));
        lblLevel.setCaption(QStringLiteral("1"));
        SetRowsLeft();
        hidePicBlack();
        frameAbout.setEnabled(false);
    } else if (state == QLatin1String("Pause")) {
        TimerNichlaDabaFill.setEnabled(false);
        Timer1.setEnabled(false);
        Picture1.setEnabled(false);
        btnStart.setCaption(QStringLiteral("Resume"));
        lblBlack.setCaption(QStringLiteral("Paused"));
        PicBlack.setVisible(true);
    } else if (state == QLatin1String("Resume")) {
        TimerNichlaDabaFill.setEnabled(true);
        Timer1.setEnabled(true);
        Picture1.setEnabled(true);
        btnStart.setCaption(QStringLiteral("Pause"));
        hidePicBlack();
    } else if (state == QLatin1String("Restart")) {
        RestartGame();
    }
}

void frmMain::RestartGame()
{
    if (m_unloaded) {
        return;
    }
    ResetBoard();
    btnStart.setCaption(QStringLiteral("Pause"));
    lblScore.setCaption(QStringLiteral("0"));
    lblLevel.setCaption(QStringLiteral("1"));
    SetRowsLeft();
    hidePicBlack();
    Picture1.setEnabled(true);
    frameAbout.setEnabled(false);
    blnGameOver = false;
}

void frmMain::ResetBoard()
{
    HideNichlaDabaAll();
    RemoveOoperDabaAll();
    TimerNichlaDabaFill.setEnabled(true);
    clearResult(true);
    lblResult.setCaption(QString());
    TimerNichlaDabaFill.setInterval(intFillInterval);
    Timer1.setEnabled(true);
    intTopRow = -1;
    intFillPos = -1;
}

// The overlay goes, and with it what the last gradient drew on it: the next time it shows,
// "Paused" stands on black rather than on an old level-up or game-over band.
void frmMain::hidePicBlack()
{
    PicBlack.setVisible(false);
    clearPicBlack();
}

void frmMain::clearPicBlack()
{
    m_picBlackDrawing.clear();
    if (m_observer) {
        m_observer->overlayChanged(-1);
    }
}

void frmMain::SetRowsLeft()
{
    const double level = conv::textToDouble(lblLevel.caption());
    lblRowsLeft.setCaption(conv::numberToText(level * 3 + 8));
}

// The gradient rises from the bottom edge one pixel row at a time, each row one step darker,
// until the intensity falls to 50. The rows are spread over a fixed time on the clock rather
// than made slow by drawing each line many times, and pending events run between rows.
void frmMain::PaintPicBlack(const std::int32_t &lngColor)
{
    ++m_paintDepth;
    clearPicBlack();
    std::int16_t intensity = 255;
    const int h = conv::toInteger16(PicBlack.height());
    const int w = conv::toInteger16(PicBlack.width());
    const int bandRows = std::max(0, std::min(h, 255 - 50));
    Clock &clock = m_platform.clock;
    const std::int64_t start = clock.now();
    int drawn = 0;
    for (int y = h; y >= 1 && !m_unloaded; --y) {
        if (intensity > 50) {
            const Colour colour =
                lngColor == 0 ? Colour::rgb(intensity, 0, 0) : Colour::rgb(0, intensity, 0);
            m_picBlackDrawing.drawLine(1, w, y, colour);
            ++drawn;
            if (m_observer) {
                m_observer->overlayChanged(y);
            }
            clock.waitUntil(start + static_cast<std::int64_t>(drawn) * PaintDurationMs / bandRows);
        } else {
            // Nothing more is drawn below intensity 51.
            clock.letEventsRun();
            break;
        }
        --intensity;
    }
    --m_paintDepth;
    if (!m_unloaded) {
        beep();
    }
}
