#include "game/frmmain.h"

// The path is built anew at every cue, so sound files added, replaced or removed while the
// game runs take effect at the next one.
void frmMain::PlayEffect(std::int32_t cue)
{
    static const char *const files[] = {
        "/sound/click.wav",   "/sound/correct.wav", "/sound/wrong.wav",   "/sound/clear.wav",
        "/sound/warning.wav", "/sound/levelup.wav", "/sound/gameend.wav",
    };
    if (cue < 0 || cue > 6) {
        return;
    }
    m_platform.sound.playFile(m_platform.programFolder + QLatin1String(files[cue]));
}
