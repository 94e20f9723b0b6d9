#include "safety/ChangeRecord.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

TChangeEntry Entry(const QDateTime& when, QList<TDifference> differences)
{
    TChangeEntry entry;
    entry.When = when;
    entry.Panel = 3;
    entry.Engineer = QStringLiteral("J. Smith, \"Senior\"");
    entry.Configuration = QStringLiteral("/site/Hotel_Panel3.QEM");
    entry.SentCopy = QStringLiteral("/site/backups/Hotel_Panel3_sent.QEM");
    entry.Verified = true;
    entry.Baseline = QStringLiteral("the panel's backup");
    entry.Differences = std::move(differences);
    return entry;
}

} // namespace

TEST(ChangeRecord, EntriesAppendAndReadBackWithTheirChanges)
{
    QTemporaryDir dir;
    const QString config = dir.filePath("Hotel_Panel3.QEM");
    const QDateTime first(QDate(2026, 12, 7), QTime(9, 15, 0));
    const QDateTime second(QDate(2026, 12, 7), QTime(11, 2, 30));
    const QList<TDifference> changes = {
        {ppZoneConfig, "Zone 3", "Name", "Basement", "Plant Room, east"},
        {ppLoop1, "Point 12", "Type", "Optical", "Heat"},
    };
    QString error;
    ASSERT_TRUE(ChangeRecord::Append(config, Entry(first, changes), &error)) << error.toStdString();
    TChangeEntry partial = Entry(second, {});
    partial.PartlySaved = true;
    partial.Verified = false;
    ASSERT_TRUE(ChangeRecord::Append(config, partial, &error)) << error.toStdString();

    QList<TChangeEntry> entries;
    ASSERT_TRUE(ChangeRecord::Read(config, entries, &error)) << error.toStdString();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].When, first);
    EXPECT_EQ(entries[0].Engineer, "J. Smith, \"Senior\"");
    ASSERT_EQ(entries[0].Differences.size(), 2);
    EXPECT_EQ(entries[0].Differences[0].Page, ppZoneConfig);
    EXPECT_EQ(entries[0].Differences[0].Right, "Plant Room, east");
    EXPECT_TRUE(entries[1].PartlySaved);
    EXPECT_TRUE(entries[1].Differences.isEmpty());

    QFile text(ChangeRecord::TextPath(config));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QString shown = QString::fromUtf8(text.readAll());
    EXPECT_TRUE(shown.contains("Zone Config / Zone 3 / Name: 'Basement' -> 'Plant Room, east'"));
    EXPECT_TRUE(shown.contains("partly saved"));
}

TEST(ChangeRecord, ARecordThatIsNotOursIsRefusedWithItsLine)
{
    QTemporaryDir dir;
    const QString config = dir.filePath("Site.QEM");
    QFile csv(ChangeRecord::CsvPath(config));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("Date,Time\r\nnot,a,record\r\n");
    csv.close();
    QList<TChangeEntry> entries;
    QString error;
    EXPECT_FALSE(ChangeRecord::Read(config, entries, &error));
    EXPECT_TRUE(error.contains("line 2")) << error.toStdString();
}
