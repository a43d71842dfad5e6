#pragma once

#include <QString>

#include <functional>
#include <string>

class QIODevice;

namespace ardenvo {

// Replaces the file at `path` as every report file is replaced: the content goes to a temporary
// file that is renamed over the old one only once it is whole, and a link planted at the name is
// replaced rather than written through. A named pipe, a character device, /dev/stdout and "-"
// (standard output) are written into directly (TargetLinks::ReplaceName). `produce` writes the
// content into the device it is given (for writers that need one, such as QPdfWriter), which hands
// it on in pieces of a megabyte. False when `produce` returns false or the file could not be
// written; `error` (when given) then says why the write failed, and is left empty when `produce`
// gave up.
bool replaceFileThroughDevice(const QString& path, const std::function<bool(QIODevice&)>& produce,
                              std::string* error = nullptr);

} // namespace ardenvo
