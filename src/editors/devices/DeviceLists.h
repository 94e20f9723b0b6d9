#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class TData;
class TQEMLoop;

// The entry lists the device dialogs and the Loop Summary offer, and the texts they show for
// a stored value. A value from the panel or a file can lie outside a list (a zone byte of
// 41..63, a group above 16): it selects nothing and reads "(unknown)", never another entry.
inline const QString UnknownEntry = QStringLiteral("(unknown)");

// "Use in Special C&E", then "Zone z- description" for z = 1..32.
QStringList ZoneEntries(const TData& data);
// "Use in Special C&E", then the names of groups 1..16.
QStringList GroupEntries(const TData& data);
// "Use in Special C&E", then the names of sets 1..16.
QStringList SetEntries(const TData& data);
// "Use in Special C&E", then "Group 1".."Group 16" (fixed captions of the summary drop-down).
QStringList GroupNumberEntries();

// "Zone z- description", or the description of zone 0 alone for z = 0; "(unknown)" for a
// zone the zone list does not have.
QString ZoneText(const TData& data, int zone);
// The group list's name of group g (0..16), "(unknown)" otherwise.
QString GroupText(const TData& data, int group);
// The group list's name of set s (0..18), "(unknown)" otherwise.
QString SetText(const TData& data, int set);

// The list index of value, or -1 when value is not an entry of a list of count entries.
int ListIndex(int value, int count);
// Fills a combo box with entries and selects value; a value outside the list leaves no
// selection and the box reads "(unknown)".
void FillChoice(QComboBox& box, const QStringList& entries, int value);
// Selects value in a filled box, or nothing ("(unknown)") when it is outside the list.
void SelectChoice(QComboBox& box, int value);

// The description as the panel keeps it: at most 24 characters.
constexpr int MaxDescriptionLength = 24;
