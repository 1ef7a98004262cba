#include "pictureinfo/PictureRecordSet.h"

#include <algorithm>

namespace {

const QString kNotStored = QStringLiteral("The description was not stored.");
const QString kNotDeleted = QStringLiteral("The description was not deleted.");
const QString kNoneDeleted = QStringLiteral("The descriptions were not deleted.");

}  // namespace

PictureRecordSet::PictureRecordSet(std::shared_ptr<PictureInfoDatabase> database, const RecordQuery &query)
    : m_database(std::move(database))
    , m_keys(m_database->select(query))
{
    moveFirst();
}

bool PictureRecordSet::moveTo(int position)
{
    if (position < 0 || position >= count())
        return false;
    m_position = position;
    m_onDeleted = false;
    loadCurrent();
    return true;
}

void PictureRecordSet::loadCurrent()
{
    m_row = hasCurrent() ? m_database->read(m_keys[size_t(m_position)]) : std::nullopt;
}

std::optional<qint64> PictureRecordSet::currentKey() const
{
    if (!hasCurrent())
        return std::nullopt;
    return m_keys[size_t(m_position)];
}

int PictureRecordSet::positionOf(qint64 key) const
{
    const auto it = std::find(m_keys.begin(), m_keys.end(), key);
    return it == m_keys.end() ? -1 : int(it - m_keys.begin());
}

bool PictureRecordSet::moveFirst()
{
    return moveTo(0);
}
bool PictureRecordSet::moveLast()
{
    return moveTo(count() - 1);
}

bool PictureRecordSet::moveNext()
{
    // On a deleted row the next row has already slid into its place.
    if (m_onDeleted)
        return moveTo(m_position);
    return hasCurrent() && moveTo(m_position + 1);
}

QVariant PictureRecordSet::field(const QString &name) const
{
    if (!hasCurrent() || !m_row)
        return {};
    const QStringList names = PictureRecord::fieldNames();
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return (*m_row)[size_t(i)];
    }
    return {};
}

std::optional<PictureRecord> PictureRecordSet::current() const
{
    if (!hasCurrent() || !m_row)
        return std::nullopt;
    const PictureInfoDatabase::Row &row = *m_row;
    return PictureRecord{row[0].toString(), row[1].toInt(), row[2].toInt(), row[3].toString()};
}

bool PictureRecordSet::addNew(const PictureRecord &record)
{
    const std::optional<qint64> key = m_database->insert(record, kNotStored);
    if (!key)
        return false;
    m_keys.push_back(*key);
    return moveLast();
}

bool PictureRecordSet::edit(const PictureRecord &record)
{
    if (!hasCurrent()) {
        m_database->refuseChange(kNotStored, QStringLiteral("There is no description to change."));
        return false;
    }
    const bool stored = m_database->update(m_keys[size_t(m_position)], record, kNotStored);
    loadCurrent();
    return stored;
}

bool PictureRecordSet::setDescription(const QString &text)
{
    std::optional<PictureRecord> record = current();
    if (!record) {
        m_database->refuseChange(kNotStored, QStringLiteral("There is no description to change."));
        return false;
    }
    record->description = text;
    return edit(*record);
}

bool PictureRecordSet::deleteCurrent()
{
    if (!hasCurrent()) {
        m_database->refuseChange(kNotDeleted, QStringLiteral("There is no description to delete."));
        return false;
    }
    if (!m_database->remove({m_keys[size_t(m_position)]}, kNotDeleted))
        return false;
    m_keys.erase(m_keys.begin() + m_position);
    m_onDeleted = true;
    m_row.reset();
    return true;
}

bool PictureRecordSet::deleteAll(const QString &what)
{
    if (!m_database->remove(m_keys, what.isEmpty() ? kNoneDeleted : what))
        return false;
    m_keys.clear();
    m_position = -1;
    m_onDeleted = false;
    m_row.reset();
    return true;
}
