#pragma once

#include "catalogue/pictures/ImageCache.h"
#include "catalogue/pictures/PictureLoader.h"
#include "catalogue/pictures/PictureRows.h"
#include "catalogue/pictures/PictureTreeHost.h"
#include "widgets/QtPrompter.h"

#include <QGroupBox>
#include <QTimer>

#include <map>
#include <set>
#include <string>
#include <vector>

class QCheckBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ardenvo {

class PictureFrame;

// The "Picture" group of the "Objects inside" dialog: the pictures of the block and of its
// objects, the selected one drawn in a frame, and the commands that add, edit and delete them.
// It reaches the dialog's tree only through its PictureTreeHost; its rows, their selection and
// the edits are a PictureRows, which the list only shows. Pictures are decoded on worker threads
// (through the desktop's shared thumbnails), the shown one first: the frame stays empty but for a
// quiet tint until its picture is ready, and what a command could not read is told once all its
// files are done.
class PictureGroup : public QGroupBox {
    Q_OBJECT
public:
    static constexpr int kFrameWidth = 220;
    static constexpr int kFrameHeight = 143;

    // Pictures are read from and copied into `imagesFolder`; the group's cache lives as long as
    // the group and decodes each file once, no larger than the frame.
    PictureGroup(PictureTreeHost& host, std::string imagesFolder,
                 Prompter& prompter = standardPrompter(), QWidget* parent = nullptr);
    ~PictureGroup() override;

    // The dialog shows a block (on opening and after "Change room"): what the last block still
    // had to decode is dropped, the list is refilled with its first row selected, and the
    // selected picture, the block's own and then the rest of the list are decoded in that order.
    void loadBlock();
    // The tree's selection changed: the list follows it unless "Show all images" is checked.
    void treeSelectionChanged();
    // Refills the list for the current block and selection, first row selected.
    void refill();
    // Objects were renamed, moved, added or deleted: the rows are made again from the model, so
    // that no row names an owner that is gone; the selected picture stays selected while listed.
    void ownersChanged();

    // The commands, as their buttons (and the list's double click and Delete key) run them.
    void addImage();
    void editImage();
    void deleteImage();

    bool showAllImages() const;
    QTreeWidget* pictureList() const { return m_list; }
    QPushButton* addButton() const { return m_addButton; }
    QPushButton* editButton() const { return m_editButton; }
    QPushButton* deleteButton() const { return m_deleteButton; }
    QCheckBox* showAllBox() const { return m_showAll; }
    PictureFrame* frame() const { return m_frame; }
    ImageCache& cache() { return m_cache; }
    // The picture record of the selected row; nullptr with no selected row or when the row's
    // picture is gone.
    CField* selectedPicture() const;
    // Whether a picture asked for is still being decoded.
    bool decoding() const { return !m_loader.idle(); }
    // Handles events until every picture asked for is decoded and told about, at most
    // `timeoutMs`; false when time ran out. For tests and measurements.
    bool waitForPictures(int timeoutMs = 10000);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PictureFilter filter() const;
    // The list shows the rows and their selection.
    void showRows();
    void listSelectionChanged();
    void updateEnabling();
    // What one command asked to be decoded, and what it tells once they all are.
    struct Action {
        std::vector<std::string> reported; // told about when they fail, in order
        std::string shown;                 // the selected row's file, when it had to be decoded
        std::set<std::string> waiting;
        std::map<std::string, std::string> failed; // file -> why
    };
    // Redraws the selected picture, decoding its file and those of `reported` (told about when
    // they fail) unless they are held, then the rest of the list's.
    void showSelectedPicture(const std::vector<std::string>& reported = {});
    void pictureDecoded(const std::string& file, DecodedPicture picture);
    // Tells the user about every command whose files are all done, in order.
    void tellFinished();
    void tell(const Action& action);
    void followOwner();
    void rowActivated();
    void paintFrame(QPainter& painter, const Rect& frame);

    PictureTreeHost& m_host;
    std::string m_folder;
    Prompter& m_prompter;
    ImageCache m_cache;
    ThumbnailCache m_thumbnails;
    PictureLoader m_loader;
    std::vector<Action> m_actions; // in the order the commands ran
    bool m_telling = false;
    PictureRows m_rows;
    bool m_showing = false; // the list is being made from the rows
    // The block loadBlock showed last. Until the host's block is that one, the list waits for
    // loadBlock, which the host calls once its tree is made, rather than decoding twice.
    const CBlock* m_loadedBlock = nullptr;
    PictureFrame* m_frame = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_editButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QCheckBox* m_showAll = nullptr;
    QTimer m_keyTimer;
};

} // namespace ardenvo
