// assetgen: writes the resource set and the carried pictures, or a contact sheet of every
// sprite for review.
//
//   assetgen --app-dir DIR --generated DIR     resource set into DIR; carried pictures, their
//                                              source, the icons and the player's defaults
//                                              into the generated DIR
//   assetgen --app-dir DIR --contact-sheet FILE [--language FOLDER]
//                                              the sheet as the game shows it in a translation
//                                              ("en": Images/en/ before Images/)
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/assetgen/carried_pictures.h"
#include "tools/assetgen/contact_sheet.h"
#include "tools/assetgen/resource_set.h"

namespace {

// Directories given on the command line end in '/'.
std::string AsDirectory(std::string path) {
  if (!path.empty() && path.back() != '/') {
    path += '/';
  }
  return path;
}

int Usage() {
  std::fprintf(stderr,
               "usage: assetgen --app-dir DIR [--generated DIR]\n"
               "       assetgen --app-dir DIR --contact-sheet FILE [--language FOLDER]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  std::string appDirectory;
  std::string generatedDirectory;
  std::string contactSheet;
  std::string language;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--app-dir") == 0) {
      appDirectory = AsDirectory(argv[i + 1]);
    } else if (std::strcmp(argv[i], "--generated") == 0) {
      generatedDirectory = AsDirectory(argv[i + 1]);
    } else if (std::strcmp(argv[i], "--contact-sheet") == 0) {
      contactSheet = argv[i + 1];
    } else if (std::strcmp(argv[i], "--language") == 0) {
      language = argv[i + 1];
    } else {
      return Usage();
    }
  }
  if (argc % 2 == 0 || appDirectory.empty()) {
    return Usage();
  }
  if (!contactSheet.empty()) {
    if (!WriteContactSheet(contactSheet, appDirectory, language)) {
      std::fprintf(stderr, "assetgen: cannot write the contact sheet %s\n", contactSheet.c_str());
      return 1;
    }
    return 0;
  }
  if (!generatedDirectory.empty() && !(WriteCarriedPictures(generatedDirectory) &&
                                        WritePlayerDefaults(generatedDirectory + "defaults/"))) {
    std::fprintf(stderr, "assetgen: cannot write the generated files into %s\n",
                 generatedDirectory.c_str());
    return 1;
  }
  if (!WriteResourceSet(appDirectory)) {
    std::fprintf(stderr, "assetgen: cannot write the resource set into %s\n", appDirectory.c_str());
    return 1;
  }
  return 0;
}
