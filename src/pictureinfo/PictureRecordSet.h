#pragma once

#include "pictureinfo/PictureInfoDatabase.h"
#include "pictureinfo/PictureRecord.h"
#include "pictureinfo/RecordQuery.h"

#include <QVariant>

#include <memory>
#include <optional>
#include <vector>

// The rows a query selected when the set was opened, with a current row to
// move through, read and change. Changes are stored at once; the set keeps
// the rows it selected (a row added here joins it at the end), and always
// shows their values as they are stored now.
//
// After the current row is deleted there is no current row until the next
// move: moveNext goes to the row that followed it. Moves never leave the
// set: at either end they stay and say false.
class PictureRecordSet
{
public:
    PictureRecordSet(std::shared_ptr<PictureInfoDatabase> database, const RecordQuery &query);

    // The database the set reads from, for another set over the same file.
    const std::shared_ptr<PictureInfoDatabase> &database() const { return m_database; }

    int count() const { return int(m_keys.size()); }
    bool isEmpty() const { return m_keys.empty(); }
    // 0-based place of the current row in the set; -1 when there is none.
    int position() const { return hasCurrent() ? m_position : -1; }
    bool hasCurrent() const { return m_position >= 0 && m_position < count() && !m_onDeleted; }

    bool moveFirst();
    bool moveLast();
    bool moveNext();
    // To the row at a 0-based place of the set.
    bool moveTo(int position);

    // Which stored row is current, to find it again in another set; nothing
    // with no current row.
    std::optional<qint64> currentKey() const;
    // The 0-based place of a stored row in this set; -1 when it is not in it.
    int positionOf(qint64 key) const;

    // A field of the current row by name (letter case ignored): "Album Name",
    // "Page", "ImageNumber" or "Discription". Invalid with no current row.
    QVariant field(const QString &name) const;
    std::optional<PictureRecord> current() const;

    // Stores a new row; it joins the set at the end and becomes current.
    bool addNew(const PictureRecord &record);
    // Stores new values for the current row.
    bool edit(const PictureRecord &record);
    bool setDescription(const QString &text);
    bool deleteCurrent();
    // Every row of the set, in one step; the set is empty afterwards.
    bool deleteAll(const QString &what = {});

private:
    void loadCurrent();

    std::shared_ptr<PictureInfoDatabase> m_database;
    std::vector<qint64> m_keys;
    int m_position = -1;
    bool m_onDeleted = false;
    std::optional<PictureInfoDatabase::Row> m_row;
};
