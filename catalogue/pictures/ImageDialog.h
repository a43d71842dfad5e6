#pragma once

#include "model/CFieldList.h"
#include "platform/image/ImageFile.h"
#include "widgets/QtPrompter.h"

#include <QDialog>
#include <QTimer>

#include <string>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace ardenvo {

class PictureFrame;

// "Image": names a picture and chooses its file, from the Images folder or brought into it with
// "Browse", with a preview of the file.
class ImageDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFrameWidth = 220;
    static constexpr int kFrameHeight = 165;

    // `record` is a picture record: its name and its file name in `imagesFolder`.
    ImageDialog(CField& record, std::string imagesFolder, Prompter& prompter = standardPrompter(),
                QWidget* parent = nullptr);

    // Runs the dialog modally; true on OK, when the record holds the two texts.
    static bool editRecord(CField& record, const std::string& imagesFolder, Prompter& prompter,
                           QWidget* parent);

    QLineEdit* nameEdit() const { return m_nameEdit; }
    QLineEdit* fileEdit() const { return m_fileEdit; }
    QPushButton* browseButton() const { return m_browseButton; }
    QListWidget* imageList() const { return m_list; }
    PictureFrame* frame() const { return m_frame; }
    // The picture last previewed; null when none could be shown.
    const ImageFile& previewed() const { return m_preview; }

    void accept() override;
    // "Browse": a file chosen elsewhere is brought into the Images folder.
    void browse();
    // Decodes `fileName` afresh and shows it in the frame.
    void preview(const std::string& fileName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillList();
    // What "File" says, once the typing pauses.
    void previewTyped();
    void takeRow(QListWidgetItem* item);
    // The texts as the model keeps them: bytes not retyped stay as they were.
    std::string nameText() const;
    std::string fileText() const;

    CField& m_record;
    std::string m_folder;
    Prompter& m_prompter;
    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_fileEdit = nullptr;
    QPushButton* m_browseButton = nullptr;
    QListWidget* m_list = nullptr;
    PictureFrame* m_frame = nullptr;
    QTimer m_openTimer;
    QTimer m_keyTimer;
    QTimer m_typingTimer;
    bool m_frameCleared = false;
    ImageFile m_preview;
};

} // namespace ardenvo
