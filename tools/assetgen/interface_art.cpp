// Writes every interface picture of the game and the editor.
#include "interface_art.h"

#include <QDir>
#include <QString>

#include "interface_art_sets.h"

bool WriteInterfacePictures(const std::string& imagesDirectory) {
  static const char* const kSubfolders[] = {"Anniu", "Donghua", "Shuzi", "Xianshi", "zhadan"};
  QDir images(QString::fromStdString(imagesDirectory));
  if (!images.mkpath(".")) return false;
  for (const char* folder : kSubfolders) {
    if (!images.mkpath(folder)) return false;
  }
  return WriteBackdropPictures(imagesDirectory) && WriteButtonPictures(imagesDirectory) &&
         WriteCaptionPictures(imagesDirectory) && WriteEffectPictures(imagesDirectory);
}
