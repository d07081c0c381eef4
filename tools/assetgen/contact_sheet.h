// The contact sheet: one picture showing every sprite of the game with its number, for review.
#pragma once

#include <QImage>
#include <string>

// Builds the sheet from the resource files in appDirectory (ending in '/') and the carried
// pictures, cut and keyed as the game prepares them. With a language's folder, its translations
// take the place of the originals, as in the game; empty for the originals.
QImage BuildContactSheet(const std::string& appDirectory, const std::string& languageFolder);

// Writes the sheet as a PNG file. False when it cannot be written.
bool WriteContactSheet(const std::string& file, const std::string& appDirectory,
                       const std::string& languageFolder);
