#pragma once

#include <QPixmap>

namespace ardenvo {

// The picture beside the criteria: a magnifying glass over a small house, drawn here.
QPixmap searchPicture();

} // namespace ardenvo
