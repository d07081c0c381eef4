// The icons of the two programs, drawn for every size of the desktop's icon theme: the game's
// is a tile with the red dragon, the editor's a tile with the cell grid and a pencil.
#pragma once

#include <QImage>

enum ProgramIcon { GameIcon, EditorIcon };

// Icon names of the icon theme, the same as the desktop entries' names.
constexpr const char* GameIconName = "org.example.pelmora";
constexpr const char* EditorIconName = "org.example.pelmora.kestrand";

// One icon, size x size, ARGB32 with a transparent surround.
QImage DrawProgramIcon(ProgramIcon icon, int size);
