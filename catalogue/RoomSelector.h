#pragma once

#include "model/CBrenvikaDoc.h"
#include "model/ObjectEdits.h"

#include <QGroupBox>

class QComboBox;
class QPushButton;

namespace ardenvo {

// "Select a room": a list of sections ("All sections" first), the sorted list of their rooms and
// "Change room". Both object dialogs use it; what "Change room" does is theirs.
class RoomSelector : public QGroupBox {
    Q_OBJECT
public:
    // `labelled` puts "Section:" and "Room:" before the lists.
    RoomSelector(CBrenvikaDoc& doc, bool labelled, QWidget* parent = nullptr);

    QComboBox* sectionsCombo() const { return m_sections; }
    QComboBox* roomsCombo() const { return m_rooms; }
    QPushButton* changeRoomButton() const { return m_change; }

    // Fills the sections list ("All sections" chosen) and every room, and chooses the first room
    // that begins with `blockName`, ignoring case.
    void fill(const QString& blockName);
    // Chooses a section by its text, refills the rooms and chooses `room` among them.
    void choose(const QString& section, const QString& room);
    bool allSections() const;
    QString sectionText() const;
    QString roomText() const;
    // What "Change room" finds for the chosen texts, the names compared as the lists show them.
    RoomChoice chosenRoom() const;

signals:
    void changeRoomClicked();

private:
    void fillRooms();

    CBrenvikaDoc& m_doc;
    QComboBox* m_sections = nullptr;
    QComboBox* m_rooms = nullptr;
    QPushButton* m_change = nullptr;
    bool m_filling = false;
};

} // namespace ardenvo
