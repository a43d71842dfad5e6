#pragma once

#include "model/CBlock.h"
#include "model/CHouseObject.h"

#include <memory>
#include <string>
#include <vector>

namespace ardenvo {

// What the "Picture" list shows: every picture of the block, or those of the tree's selection.
struct PictureFilter {
    bool showAll = true;
    bool rootSelected = false;        // the tree's root "Floor"
    CHouseObject* selected = nullptr; // the tree's selected object
};

// One listed picture: its record and the object holding it, null for the block's own.
struct PictureRow {
    CHouseObject* owner = nullptr;
    CField* field = nullptr;
};

// The rows of the "Picture" group, their selection and the edits its commands make, without
// widgets. A row points into the model but is used only once its owner is found in the block and
// its record in the owner's pictures: a row left from before the objects changed names nothing
// rather than something gone.
class PictureRows {
public:
    static constexpr const char* kRoomLabel = "Room";
    static constexpr const char* kNoName = "picture with no name";

    // Lists what the filter shows, the first row selected: with all shown the block's own
    // pictures, then each floor object's before those under, inside and on top of it; otherwise
    // the block's own when the root is selected, or the selected object's.
    void fill(CBlock& block, const PictureFilter& filter);
    // As fill, but the selected picture stays selected while it is listed; true when it does.
    bool fillKeepingSelection(CBlock& block, const PictureFilter& filter);

    const std::vector<PictureRow>& rows() const { return m_rows; }
    int count() const { return static_cast<int>(m_rows.size()); }
    int selected() const { return m_selected; } // -1: none
    void select(int row);                       // out of range: none
    // The "House object" column: "Room" for the block's own pictures, else the owner's name.
    static const std::string& labelOf(const PictureRow& row);

    // The row's picture as the model holds it now; an empty row when it is gone.
    PictureRow pictureAt(int row) const;
    PictureRow selectedPicture() const { return pictureAt(m_selected); }
    // Whether the row lists one of the block's own pictures.
    bool isBlockRow(int row) const;

    // "Add image": `record` joins the selected object's pictures (the block's with the root or
    // nothing selected); the list is made again with its row selected.
    CField& add(std::unique_ptr<CField> record, const PictureFilter& filter);
    // After "Edit" of the selected `record`: a record left without a name is named "picture with
    // no name"; the list is made again, the same row selected (the last when fewer).
    void edited(CField& record, const PictureFilter& filter);
    // "Delete": the selected picture leaves the list holding it (its file stays); the list is
    // made again, the first row selected. False when no listed picture was selected.
    bool removeSelected(const PictureFilter& filter);

private:
    void addRows(CFieldList& pictures, CHouseObject* owner);
    void addObjectRows(CHouseObject& object);
    bool inBlock(const CHouseObject* object) const;

    CBlock* m_block = nullptr;
    std::vector<PictureRow> m_rows;
    int m_selected = -1;
};

} // namespace ardenvo
