#include "catalogue/RoomSelector.h"

#include "platform/TextCodec.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>

#include <algorithm>

namespace ardenvo {

RoomSelector::RoomSelector(CBrenvikaDoc& doc, bool labelled, QWidget* parent)
    : QGroupBox(tr("Select a room"), parent), m_doc(doc) {
    m_sections = new QComboBox(this);
    m_rooms = new QComboBox(this);
    m_sections->setAccessibleName(tr("Section"));
    m_rooms->setAccessibleName(tr("Room"));
    // Its letter differs by form, as "Room:" takes R where the lists are labelled.
    m_change = new QPushButton(labelled ? tr("&Change room") : tr("Change &room"), this);
    m_change->setAutoDefault(false);
    if (labelled) {
        auto* form = new QFormLayout(this);
        form->addRow(tr("&Section:"), m_sections);
        form->addRow(tr("&Room:"), m_rooms);
        form->addRow(QString(), m_change);
    } else {
        auto* row = new QHBoxLayout(this);
        row->addWidget(m_sections, 1);
        row->addWidget(m_rooms, 1);
        row->addWidget(m_change);
    }
    connect(m_sections, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            fillRooms();
    });
    connect(m_change, &QPushButton::clicked, this, &RoomSelector::changeRoomClicked);
}

void RoomSelector::fill(const QString& blockName) {
    m_filling = true;
    m_sections->clear();
    m_sections->addItem(tr("All sections"));
    for (const auto& s : m_doc.sections())
        m_sections->addItem(displayText(s->name));
    m_sections->setCurrentIndex(0);
    m_filling = false;
    fillRooms();
    const int found = m_rooms->findText(blockName, Qt::MatchStartsWith);
    if (found >= 0)
        m_rooms->setCurrentIndex(found);
}

void RoomSelector::choose(const QString& section, const QString& room) {
    m_filling = true;
    const int index = m_sections->findText(section, Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_sections->setCurrentIndex(std::max(0, index));
    m_filling = false;
    fillRooms();
    const int found = m_rooms->findText(room, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found >= 0)
        m_rooms->setCurrentIndex(found);
}

bool RoomSelector::allSections() const {
    return m_sections->currentIndex() <= 0;
}

QString RoomSelector::sectionText() const {
    return m_sections->currentText();
}

QString RoomSelector::roomText() const {
    return m_rooms->currentText();
}

RoomChoice RoomSelector::chosenRoom() const {
    const QString section = sectionText();
    const QString room = roomText();
    return findRoom(
        m_doc, allSections(), [&](const std::string& name) { return displayText(name) == section; },
        [&](const std::string& name) { return displayText(name) == room; });
}

void RoomSelector::fillRooms() {
    QStringList names;
    const auto addBlocks = [&names](const CSection& section) {
        for (const auto& b : section.blocks())
            names << displayText(b->name);
    };
    if (allSections()) {
        for (const auto& s : m_doc.sections())
            addBlocks(*s);
    } else {
        const QString wanted = sectionText();
        for (const auto& s : m_doc.sections())
            if (displayText(s->name) == wanted) {
                addBlocks(*s);
                break;
            }
    }
    // Sorted, as people look a room up by its name.
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    m_rooms->clear();
    m_rooms->addItems(names);
    m_rooms->setCurrentIndex(names.isEmpty() ? -1 : 0);
}

} // namespace ardenvo
