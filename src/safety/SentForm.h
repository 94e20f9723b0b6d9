#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TData;

// Names of the points that differ only in letter case or trailing blanks: the panel keeps
// one name-table entry for them all, the text met first.
struct TMergedName {
    QString Kept;
    QStringList Merged; // the other texts, in the order they are met
};

// The groups of point names a Save All merges, in name-table order.
QList<TMergedName> MergedNames(const TData& data);
// "The names 'Reception' and 'RECEPTION' differ only in letter case or trailing blanks; the
// panel keeps them as one name, 'Reception'."
QString MergedNameText(const TMergedName& merged);

// Turns data into what the panel holds after a Save All of it: every conversion the sending
// applies (the sounder bit of a point's first byte, access codes as numbers) and each point
// name as the one entry the panel keeps for it.
void ToSentForm(TData& data);
