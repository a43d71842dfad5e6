#include "reminder/ui/EventListModel.h"

#include "model/CReminder.h"
#include "model/ReminderSchedule.h"
#include "platform/TextCodec.h"
#include "reminder/core/ReminderSession.h"

#include <QDateTime>

namespace ardenvo {

EventListModel::EventListModel(const ReminderSession& session, QObject* parent)
    : QAbstractTableModel(parent), m_session(session) {}

void EventListModel::refresh() {
    beginResetModel();
    endResetModel();
}

void EventListModel::refreshTexts() {
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int EventListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_session.events().size();
}

int EventListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EventListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const EventRow* row = m_session.events().rowAt(index.row());
    if (!row)
        return {};
    switch (index.column()) {
    case DateColumn:
        return QString::fromStdString(formatListDateTime(row->reminder->start()));
    case ObjectColumn:
        return displayText(row->reminder->objectName);
    case TextColumn:
        if (row->heldUntil != 0)
            return displayText(row->reminder->notes) +
                   //: After a reminder's notes while "Remind me later" holds it back; %1 is
                   //: the time of day.
                   tr(" (snoozed until %1)")
                       .arg(QDateTime::fromSecsSinceEpoch(row->heldUntil).toString("HH:mm"));
        return displayText(row->reminder->notes);
    default:
        return {};
    }
}

QVariant EventListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case DateColumn:
        return tr("Date");
    case ObjectColumn:
        return tr("Object");
    case TextColumn:
        //: The column of the reminder's notes.
        return tr("Text");
    default:
        return {};
    }
}

} // namespace ardenvo
