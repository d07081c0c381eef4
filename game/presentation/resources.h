// The resource set: the completeness check, the pictures carried in the program and the
// preparation of every sprite.
#pragma once

#include <string>
#include <vector>

// Where the game's files are: the application directory (the current directory at start-up,
// ending in a separator) and Config.ini in it.
struct GameFiles {
  std::string appDirectory;
  std::string configPath;
};
extern GameFiles gFiles;

// Finds the application directory (start-up).
void FindGameFiles();

// Image numbers of the pictures carried in the program, in the order they are decoded.
enum CarriedImage {
  ImageFaceSheet = 1,        // tile faces: normal row over highlighted row, released after cutting
  ImageSmallFaceSheet = 2,   // small faces of the level thumbnails
  ImageLogo = 3,             // the maker's logo of intro card 1
  ImageLettering = 4,        // the white lettering of intro card 2
  ImageCredit = 5,           // the credit picture of window 100
};

// Names of the resource files that the application directory lacks, in the order of the check
// (within each of its three lists the walk stops at the first missing name).
std::vector<std::string> FindMissingResources(const std::string& appDirectory);

// Runs the completeness check; when a file is missing it shows the refusal message and answers
// false: the program must then end.
bool CheckResources();

// Decodes the five pictures carried in the program as images 1 to 5; those with words come from
// the chosen picture language's folder where it has them (SetPictureLanguage first).
void DecodeCarriedPictures();

// Loads and builds every sprite except the background, in the fixed order; each picture from
// the chosen picture language's folder where it has a translation.
void LoadSprites();
