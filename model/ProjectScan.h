#pragma once

#include "model/CHouseObject.h"
#include "model/ProjectFile.h"

#include <string_view>

namespace ardenvo {

// What a scan of a project file hands on, in the file's order: a program that needs only a few of
// the house's texts reads them without building the house. A text is a view of the scanned bytes,
// or, when the file stored it wide, of its UTF-8 form valid only during the call (a view that does
// not lie within the bytes). An object's children come before its own texts, as in the file.
class ProjectScanSink {
public:
    virtual ~ProjectScanSink() = default;

    // Whether field() is wanted; without it the fields are only checked and passed over.
    bool wantsFields = false;

    virtual void beginSection() {}
    virtual void endSection(std::string_view /*name*/) {}
    virtual void beginBlock() {}
    virtual void endBlock(std::string_view /*name*/) {}
    // An object record starts: on its block's floor or in the list of its parent last announced.
    virtual void beginObject() {}
    // One of the object's categories' fields, in order; the title is its category's.
    virtual void field(std::string_view /*title*/, std::string_view /*name*/,
                       std::string_view /*value*/) {}
    // The object's children at `position` follow (each list is announced, empty or not).
    virtual void beginChildren(NestPosition /*position*/) {}
    virtual void endObject(std::string_view /*name*/, std::string_view /*notes*/) {}
};

// Scans the file's bytes as readProject reads them, with the same checks and the same errors, and
// tells `sink` what it finds. The sink has seen a whole house only when the result is None.
FileError scanProject(std::string_view bytes, ProjectScanSink& sink);

} // namespace ardenvo
