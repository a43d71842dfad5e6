#pragma once

#include <QIcon>

namespace ardenvo {

// The reminder program's pictures, drawn here: a bell on a blue tile (window and resting tray
// icon) and the same bell ringing on an orange tile (the other half of the blink).
QIcon reminderNormalIcon();
QIcon reminderAlternateIcon();

} // namespace ardenvo
