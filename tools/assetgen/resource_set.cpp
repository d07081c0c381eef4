// Writing the resource set: the interface pictures and sounds of the other writers, the
// default map and the default settings.
#include "tools/assetgen/resource_set.h"

#include "tools/assetgen/default_map.h"
#include "tools/assetgen/file_output.h"
#include "tools/assetgen/interface_art.h"
#include "tools/assetgen/sound_set.h"

namespace {

// Default backgrounds, music and sound effects on at half volume.
constexpr const char* DefaultConfigText =
    "[Images]\r\n"
    "Type=0\r\n"
    "Color=0\r\n"
    "Path=\r\n"
    "[Sound]\r\n"
    "Type=0\r\n"
    "Path=\r\n"
    "Yinxiao=1\r\n"
    "Yinyue=1\r\n"
    "Yinliang=500\r\n";

}  // namespace

bool WriteDefaultConfig(const std::string& appDirectory) {
  const std::string path = appDirectory + "Config.ini";
  if (PathExists(path)) {
    return true;
  }
  return WriteWholeFile(path, QByteArray(DefaultConfigText));
}

bool WritePlayerDefaults(const std::string& directory) {
  return MakeDirectory(directory + "Maps/") && WriteDefaultMap(directory + "Maps/") &&
         WriteWholeFile(directory + "Config.ini", QByteArray(DefaultConfigText));
}

bool WriteResourceSet(const std::string& appDirectory) {
  return MakeDirectory(appDirectory) && WriteInterfacePictures(appDirectory + "Images/") &&
         MakeDirectory(appDirectory + "Sound/") && WriteSoundSet(appDirectory + "Sound/") &&
         MakeDirectory(appDirectory + "Maps/") && WriteDefaultMap(appDirectory + "Maps/") &&
         WriteDefaultConfig(appDirectory);
}
