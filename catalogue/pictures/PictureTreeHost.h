#pragma once

#include "model/CBlock.h"
#include "model/CHouseObject.h"

#include <string>
#include <vector>

namespace ardenvo {

// What the "Picture" group needs from the dialog that holds it: the block shown, the object tree's
// selection, and the objects behind tree labels. The "Objects inside" dialog implements it; tests
// implement it over a plain block.
class PictureTreeHost {
public:
    virtual ~PictureTreeHost() = default;

    // The block whose pictures are listed; never null while the group is in use.
    virtual CBlock* pictureBlock() const = 0;
    // The tree has a selected item and it is the root "Floor".
    virtual bool rootSelected() const = 0;
    // The object of the tree's selected item; null for the root or no selection.
    virtual CHouseObject* selectedObject() const = 0;
    // Selects the root, or the item of `object`, as a click in the tree would (the dialog's
    // selection handling runs).
    virtual void selectRoot() = 0;
    virtual void selectObject(CHouseObject* object) = 0;
};

} // namespace ardenvo
