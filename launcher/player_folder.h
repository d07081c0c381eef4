// The player's own application directory of an installed game: where it lies and how it is
// made from the installed, read-only resource set.
//
// The folder holds links to the installed Images/, Sound/, translation catalogues (i18n/) and
// editor (so an upgrade brings them along), and copies of Maps/Duzuz.xml and Config.ini, which
// become the player's own.
#pragma once

#include <string>

// Where the installed pieces lie: absolute paths without a trailing separator.
struct InstalledTree {
  std::string data;      // the resource set: Images/, Sound/, i18n/, Maps/Duzuz.xml, Config.ini
  std::string programs;  // the folder of the installed programs
};

// $XDG_DATA_HOME/pelmora, or $HOME/.local/share/pelmora when XDG_DATA_HOME is unset, empty or
// relative. Empty when no absolute home folder is known either.
std::string PlayerFolderPath();

// Makes the folder, or brings back what is missing from it. What the player changed is kept:
// copies and real files or folders are never replaced; only links are set to the installed
// tree, and a default map that is still a copy the launcher placed gives way to a different
// installed one. The empty text on success, otherwise what failed and why.
std::string MakePlayerFolder(const InstalledTree& tree, const std::string& folder);
