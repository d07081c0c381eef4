// Translated pictures: where the translation of a picture file lies, and reading it.
#include <strings.h>

#include "platform/files.h"
#include "platform/picture_internal.h"

namespace {

constexpr const char* PictureFolderName = "Images";

struct PictureLanguage {
  std::string folder;  // inside Images; empty for the originals
};

PictureLanguage gPictureLanguage;

bool IsPlainFolderName(const std::string& name) {
  return name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos;
}

// Where the translation of a resolved path would lie: the language's folder put under the last
// folder named Images, the rest of the path kept. Empty for a path outside any Images folder.
std::string TranslationPlace(const std::string& path, const std::string& folder) {
  const std::string name = PictureFolderName;
  size_t end = path.size();
  while (end > 0) {
    const size_t slash = path.rfind('/', end - 1);
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    // A component followed by more of the path, so a file named Images is never taken.
    if (end < path.size() && end - start == name.size() &&
        strncasecmp(path.c_str() + start, name.c_str(), name.size()) == 0)
      return path.substr(0, end) + "/" + folder + path.substr(end);
    if (slash == std::string::npos) break;
    end = slash;
  }
  return {};
}

}  // namespace

void SetPictureLanguage(const std::string& folder) {
  gPictureLanguage.folder = IsPlainFolderName(folder) ? folder : std::string();
}

QImage ReadTranslatedPicture(const std::string& path, QSize cover) {
  if (gPictureLanguage.folder.empty()) return QImage();
  const std::string place = TranslationPlace(ResolvePath(path), gPictureLanguage.folder);
  if (place.empty()) return QImage();
  const std::string translation = ResolvePath(place);
  if (!IsRegularFile(translation)) return QImage();
  return ReadPictureFile(translation, cover);
}
