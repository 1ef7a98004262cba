#include "pictureinfo/FoldedText.h"

#include <QByteArray>
#include <QString>

#include <sqlite3.h>

#include <algorithm>

namespace FoldedText {

namespace {

constexpr unsigned char asciiLower(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

bool isAscii(const unsigned char *text, int length)
{
    for (int i = 0; i < length; ++i) {
        if (text[i] & 0x80)
            return false;
    }
    return true;
}

int sign(int v)
{
    return (v > 0) - (v < 0);
}

// Case folding works character by character, so an equal ASCII prefix stays
// equal after folding and only the rest needs the full treatment. Most names
// are ASCII and never leave the fast loop.
int foldedCompare(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    const auto *x = static_cast<const unsigned char *>(a);
    const auto *y = static_cast<const unsigned char *>(b);
    const int common = std::min(lengthA, lengthB);
    int i = 0;
    for (; i < common; ++i) {
        if ((x[i] | y[i]) & 0x80)
            break;
        const unsigned char cx = asciiLower(x[i]);
        const unsigned char cy = asciiLower(y[i]);
        if (cx != cy)
            return cx < cy ? -1 : 1;
    }
    // Folding never empties a character, so a shorter equal prefix sorts first.
    if (i == common)
        return sign(lengthA - lengthB);
    const QString restA = QString::fromUtf8(reinterpret_cast<const char *>(x + i), lengthA - i).toCaseFolded();
    const QString restB = QString::fromUtf8(reinterpret_cast<const char *>(y + i), lengthB - i).toCaseFolded();
    return sign(QString::compare(restA, restB, Qt::CaseSensitive));
}

// The searched-for part, folded once per statement rather than once per row.
struct Needle
{
    QString folded;
    QByteArray asciiBytes;  // the folded part as bytes when it is pure ASCII
    bool ascii = false;
};

void deleteNeedle(void *p)
{
    delete static_cast<Needle *>(p);
}

Needle makeNeedle(sqlite3_value *value)
{
    Needle needle;
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
    needle.folded = QString::fromUtf8(text, sqlite3_value_bytes(value)).toCaseFolded();
    const QByteArray bytes = needle.folded.toUtf8();
    needle.ascii = isAscii(reinterpret_cast<const unsigned char *>(bytes.constData()), int(bytes.size()));
    if (needle.ascii)
        needle.asciiBytes = bytes;
    return needle;
}

bool asciiContains(const unsigned char *text, int length, const QByteArray &part)
{
    const int n = int(part.size());
    const auto *p = reinterpret_cast<const unsigned char *>(part.constData());
    for (int start = 0; start + n <= length; ++start) {
        int k = 0;
        while (k < n && asciiLower(text[start + k]) == p[k])
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

bool contains(const unsigned char *text, int length, const Needle &needle)
{
    if (needle.folded.isEmpty())
        return true;
    // Pure ASCII text folds to ASCII only, so it can hold a folded part only
    // when that part is ASCII too.
    if (isAscii(text, length))
        return needle.ascii && asciiContains(text, length, needle.asciiBytes);
    return QString::fromUtf8(reinterpret_cast<const char *>(text), length).contains(needle.folded, Qt::CaseInsensitive);
}

void containsFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_int(context, 0);
        return;
    }
    const auto *text = sqlite3_value_text(argv[0]);
    const int length = sqlite3_value_bytes(argv[0]);
    const auto *needle = static_cast<const Needle *>(sqlite3_get_auxdata(context, 1));
    Needle local;
    if (!needle) {
        local = makeNeedle(argv[1]);
        needle = &local;
        // Kept for the next rows while the part stays the same value.
        sqlite3_set_auxdata(context, 1, new Needle(local), deleteNeedle);
    }
    sqlite3_result_int(context, contains(text, length, *needle) ? 1 : 0);
}

}  // namespace

int install(sqlite3 *db)
{
    int rc = sqlite3_create_collation_v2(db, kCollation, SQLITE_UTF8, nullptr, foldedCompare, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    rc = sqlite3_create_function_v2(db, kContains, 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                                    containsFunction, nullptr, nullptr, nullptr);
    return rc;
}

}  // namespace FoldedText
