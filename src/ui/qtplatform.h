#pragma once

#include "ui/toolkit/platform.h"

class QWidget;

// The system's plain beep.
class QtBeeper : public Beeper
{
public:
    void beep() override;
};

// A modal message box with an OK button and the caption "Tilnora".
class QtMessageBox : public MessageBox
{
public:
    void showOk(const QString &text) override;
};

// Plays nothing; stands in where a game runs without sound.
class SilentSound : public SoundSink
{
public:
    void playFile(const QString &) override {}
};
