#pragma once

#include <QIcon>

namespace ardenvo {

// The pictures of the panel's "Add" and "Delete" buttons, drawn at run time (a green plus on a
// sheet, a red cross on a sheet).
QIcon addFieldIcon();
QIcon deleteFieldIcon();

} // namespace ardenvo
