#pragma once
#include <string>

// The user's own folders by the XDG base-directory rules, as the system's
// bytes: $XDG_CONFIG_HOME or $XDG_DATA_HOME when it is an absolute path (a
// relative one is ignored), otherwise ~/.config or ~/.local/share. The
// home folder is $HOME when that is absolute, otherwise the user's entry in
// the password database. Empty when no home folder is known or it is the
// root: nothing of the user's is ever written at "/".
std::string UserConfigFolder();
std::string UserDataFolder();
