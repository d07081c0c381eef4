// The pictures carried inside the programs (six pictures and the program icons): encoding
// them, writing them beside the generated source that compiles them in.
#pragma once

#include <QByteArray>
#include <string>
#include <vector>

#include "tools/assetgen/picture_words.h"

// One carried picture as encoded file bytes.
struct CarriedFile {
  std::string fileName;  // path in the generated directory
  const char* variable;  // the CarriedPicture variable of carried/carried_pictures.h
  QByteArray bytes;      // the encoded file
  int slot = -1;         // index in the variable when it is an array, else -1
};

// Order of the carried pictures (the game's carried images 1..5, then the type picture).
enum CarriedIndex {
  CarriedFaceSheet,
  CarriedSmallFaceSheet,
  CarriedLogo,
  CarriedLettering,
  CarriedCredit,
  CarriedTypePicture,
  CarriedCount
};

// Draws and encodes the six pictures (BMP, BMP, PNG, PNG, JPEG, PNG).
std::vector<CarriedFile> BuildCarriedPictures();

// The carried pictures with words (logo, lettering, credit, type picture) drawn in a translation,
// under the names they have among the carried files.
std::vector<CarriedFile> BuildTranslatedCarriedPictures(ArtLanguage language);

// Writes those into the translation's folder inside Images (ending in '/'), where the programs
// look for them before they decode the carried ones. False when a file cannot be written.
bool WriteTranslatedCarriedPictures(const std::string& languageDirectory, ArtLanguage language);

// The program icons in every size of ProgramIconSizes, as laid out by the hicolor icon theme
// ("icons/hicolor/16x16/apps/NAME.png"): the game's, then the editor's.
std::vector<CarriedFile> BuildProgramIconFiles();

// The C++ source that compiles the files of generatedDirectory into the program.
std::string CarriedPicturesSource(const std::vector<CarriedFile>& files,
                                  const std::string& generatedDirectory);

// Writes the carried files and embedded_pictures.cpp into generatedDirectory (ending in '/').
bool WriteCarriedPictures(const std::string& generatedDirectory);
