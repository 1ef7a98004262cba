#pragma once

struct sqlite3;

// Descriptions are matched the way people read them: "Ärger" and "ärger" are
// the same word, in every script, not only in ASCII. SQLite's own NOCASE and
// LIKE fold ASCII letters only, so the connection gets a collation and a
// "contains" function of ours.
namespace FoldedText {

// Collation for album names: equal when equal after case folding; ordered by
// the folded text. The key index of the table is built with it, so the name
// must never change.
inline constexpr char kCollation[] = "KoLumbraFold";

// kolumbra_contains(text, part): 1 when the folded text contains the folded
// part anywhere, every character taken literally (no wildcards); NULL text
// gives 0.
inline constexpr char kContains[] = "kolumbra_contains";

// Registers both on a connection; returns an SQLite result code.
int install(sqlite3 *db);

}  // namespace FoldedText
