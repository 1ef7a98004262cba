#pragma once

#include "albumstore/PictureLoader.h"

// The picture of an empty position: EMPTY.BMP from the program folder, or,
// when that file is missing or broken, one drawn here so that empty positions
// still look empty rather than vanish.
namespace Placeholder {

DecodedPicture load(const QString &placeholderPath);
QImage drawn();

}  // namespace Placeholder
