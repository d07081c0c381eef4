// The interface pictures of the resource set: everything under Images except the tile faces.
#pragma once

#include <string>

// Writes every interface picture of the game and the editor into imagesDirectory (the
// "Images" folder of the application directory, ending in '/'), with its subfolders, and each
// translation of the pictures with words, the carried ones among them, into its folder there
// ("Images/en/"). False when a file cannot be written.
bool WriteInterfacePictures(const std::string& imagesDirectory);
