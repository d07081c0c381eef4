// The language folder of the pictures, kept until the pictures are loaded from it.
#include "platform/picture.h"

namespace {

std::string gPictureLanguage;   // empty: the original pictures

}  // namespace

void SetPictureLanguage(const std::string& folder) { gPictureLanguage = folder; }
