#pragma once

#include <QAbstractTableModel>

namespace ardenvo {

class ReminderSession;

// The rows of the reminder list, formatted when shown: a table of many thousand reminders costs
// no memory per row.
class EventListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { DateColumn = 0, ObjectColumn = 1, TextColumn = 2, ColumnCount = 3 };

    explicit EventListModel(const ReminderSession& session, QObject* parent = nullptr);

    // The table was rebuilt or rows changed: everything is read again.
    void refresh();
    // Only the texts changed (a hold began or ended): the rows and the selection stay.
    void refreshTexts();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ReminderSession& m_session;
};

} // namespace ardenvo
