#pragma once

#include "catalogue/pictures/PictureGroup.h"
#include "catalogue/pictures/PictureMessages.h"
#include "model/CBlock.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QDialog>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>
#include <ostream>

// Readable texts in test failures.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace ardenvo::test {

// Runs `action` on the modal dialog about to open; the action must close it.
inline void whenModal(std::function<void(QDialog*)> action) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [poll, action = std::move(action)] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            action(dialog);
            *poll = nullptr;
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

// The boxes shown, in order, by the three shapes the pictures use: "warn: " (the program's name,
// warning icon), "notify: " (no owner, titled "Error", no icon) and "ask: " (titled "Warning",
// warning icon, No taking Enter). A box of any other shape reads "other: "; file dialogs are left
// out.
inline QStringList said(const ScriptedPrompter& prompter) {
    using Kind = ScriptedPrompter::Kind;
    QStringList texts;
    for (const ScriptedPrompter::Shown& box : prompter.shown) {
        const bool warning = box.icon == Prompter::Icon::Warning;
        if (box.kind == Kind::Message && warning && box.title == applicationTitle())
            texts << "warn: " + box.text;
        else if (box.kind == Kind::Message && box.icon == Prompter::Icon::None && !box.parent &&
                 box.title == "Error")
            texts << "notify: " + box.text;
        else if (box.kind == Kind::YesNo && warning && box.title == "Warning" &&
                 box.defaultAnswer == Prompter::Answer::No)
            texts << "ask: " + box.text;
        else if (box.kind != Kind::OpenFile && box.kind != Kind::SaveFile)
            texts << "other: " + box.text;
    }
    return texts;
}

// A solid picture saved as PNG, whatever its name says.
inline void savePicture(const QString& folder, const QString& name, int width, int height,
                        QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    image.save(folder + "/" + name, "PNG");
}

// The "Objects inside" tree reduced to what the group asks: the selected item (the root, an
// object or nothing) and a depth-first look-up by label. A selection tells the group, as the
// dialog does.
class TestTreeHost : public PictureTreeHost {
public:
    explicit TestTreeHost(CBlock& block) : m_block(&block) {}

    PictureGroup* group = nullptr;

    // "Change room".
    void changeBlock(CBlock& block) {
        m_block = &block;
        m_root = true;
        m_object = nullptr;
        if (group)
            group->loadBlock();
    }
    CBlock* pictureBlock() const override { return m_block; }
    bool rootSelected() const override { return m_root; }
    CHouseObject* selectedObject() const override { return m_object; }
    void selectRoot() override { select(true, nullptr); }
    void selectObject(CHouseObject* object) override { select(false, object); }

private:
    void select(bool root, CHouseObject* object) {
        m_root = root;
        m_object = object;
        if (group)
            group->treeSelectionChanged();
    }

    CBlock* m_block;
    bool m_root = true;
    CHouseObject* m_object = nullptr;
};

} // namespace ardenvo::test
