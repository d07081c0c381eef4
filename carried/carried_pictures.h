// The pictures carried inside the programs, as encoded file bytes compiled in by the build.
#pragma once

// One encoded picture file (BMP, PNG or JPEG) as it lies in the program.
struct CarriedPicture {
  const unsigned char* data;  // first byte of the file
  unsigned long size;         // file length in bytes
};

extern const CarriedPicture gFaceSheet;       // BMP 24-bit, 2016 x 120: normal row, highlighted row
extern const CarriedPicture gSmallFaceSheet;  // BMP 24-bit, 840 x 25: small faces
extern const CarriedPicture gLogo;            // PNG with alpha, 382 x 187: the maker's logo
extern const CarriedPicture gLettering;       // PNG with alpha, 737 x 162: white lettering
extern const CarriedPicture gCreditPicture;   // JPEG, 297 x 149: the maker's credit
extern const CarriedPicture gTypePicture;     // PNG with alpha, 952 x 138: four arrangement types

// Sizes of the program icons, smallest first: the sizes of the desktop's hicolor icon theme.
constexpr int ProgramIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
constexpr int ProgramIconSizeCount = sizeof ProgramIconSizes / sizeof ProgramIconSizes[0];

// PNG with alpha, one per size of ProgramIconSizes; the same files as the installed icons.
extern const CarriedPicture gGameIcons[ProgramIconSizeCount];    // a tile with a face
extern const CarriedPicture gEditorIcons[ProgramIconSizeCount];  // a tile, a grid and a pencil
