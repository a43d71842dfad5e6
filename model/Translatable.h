#pragma once

// Marks a text the user reads that this Qt-free code hands to the windows: the text itself is
// returned unchanged, and the translation tools collect it under `context`. The window that shows
// it translates it with QCoreApplication::translate(context, text).
#define AV_TRANSLATE_NOOP(context, text) text
