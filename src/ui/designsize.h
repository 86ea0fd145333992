#pragma once

class QWidget;

// True when the program runs on Wayland, where a fixed-size window needs the game's own
// title bar (see TitleBar) and its size held (below).
bool onWayland();

// On Wayland, keeps a fixed-size window at its size whatever the compositor asks; elsewhere
// the window manager does that and this does nothing. Call it once the window is shown.
//
// A compositor may put any window into the maximised or full-screen state (a title-bar
// double-click, a shortcut), and in the maximised state the window must take exactly the
// size it is given: a window that kept its fixed size there would be a protocol fault that
// ends the program. So the window may take that size, and at once asks for the normal state
// and its own size back; the game never stops.
void keepDesignSize(QWidget *window);
