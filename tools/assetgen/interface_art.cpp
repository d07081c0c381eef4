// Writes every interface picture of the game and the editor, and the translations of those with
// words.
#include "interface_art.h"

#include <QDir>
#include <QString>

#include "interface_art_sets.h"
#include "tools/assetgen/carried_pictures.h"

namespace {

bool MakeFolders(const std::string& directory, std::initializer_list<const char*> subfolders) {
  QDir folder(QString::fromStdString(directory));
  if (!folder.mkpath(".")) return false;
  for (const char* subfolder : subfolders) {
    if (!folder.mkpath(subfolder)) return false;
  }
  return true;
}

}  // namespace

bool WriteInterfacePictures(const std::string& imagesDirectory) {
  const bool originals =
      MakeFolders(imagesDirectory, {"Anniu", "Donghua", "Shuzi", "Xianshi", "zhadan"}) &&
      WriteBackdropPictures(imagesDirectory) && WriteButtonPictures(imagesDirectory, ArtOriginal) &&
      WriteCaptionPictures(imagesDirectory, ArtOriginal) && WriteEffectPictures(imagesDirectory);
  if (!originals) return false;
  // Drawn after every original, so that nothing drawn for them can touch the originals' bytes.
  for (const ArtTranslation& translation : ArtTranslations) {
    const std::string folder = imagesDirectory + translation.folder + "/";
    if (!MakeFolders(folder, {"Anniu", "Xianshi"}) ||
        !WriteButtonPictures(folder, translation.language) ||
        !WriteCaptionPictures(folder, translation.language) ||
        !WriteTranslatedCarriedPictures(folder, translation.language))
      return false;
  }
  return true;
}
