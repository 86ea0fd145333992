#pragma once

// Which fontconfig configuration the game's text is drawn with.
//
// Reading the system's whole configuration (dozens of rule files and the caches of every font
// folder) costs more than anything else before the first frame, which needs only the four
// Liberation faces the game is installed with. So the game starts on a configuration of its
// own, built in memory from those faces and the system's rendering rules (the rule files
// numbered 10 and 11: antialiasing, hinting, sub-pixel order, LCD filter), which draws them as
// the system's would. Once the first frame is on screen it moves to the system's
// configuration, before anything drawn in the desktop's default font (a message box, a
// tooltip, a menu) or in a face the game does not name can show.
//
// Where a face is missing, or fontconfig has settings of the administrator's or the player's
// own (a local or personal configuration file, a FONTCONFIG_ variable), the game keeps to the
// system's configuration from the start.
namespace fontconfiguration {

// Before the application is made: starts on the game's own configuration where it can.
void startOwn();
// The system's configuration from now on, with Qt's list of fonts read again. Does nothing
// unless the game is on its own configuration.
void useSystem();

} // namespace fontconfiguration
