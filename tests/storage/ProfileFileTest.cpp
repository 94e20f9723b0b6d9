#include "storage/ProfileFile.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

TProfileFile Load(const QByteArray& text)
{
    TProfileFile f;
    f.LoadFromBytes(text);
    return f;
}

} // namespace

TEST(ProfileFile, NamesMatchWithoutCaseAndSurroundingBlanks)
{
    const TProfileFile f = Load("[ Site Config ]\r\n  Night Begins =  22:30  \r\nkey=1\r\n");
    EXPECT_EQ(f.ReadString("site config", " Night Begins", "x"), "22:30");
    EXPECT_EQ(f.ReadString("SITE CONFIG", "night begins ", "x"), "22:30");
    EXPECT_EQ(f.ReadString("SiteConfig", "Night Begins", "x"), "x"); // inner blanks count
    EXPECT_EQ(f.ReadInteger("Site Config", "KEY", 5), 1);
}

TEST(ProfileFile, TypedReadsFallBackToTheirDefaults)
{
    const TProfileFile f = Load("[S]\nA=12\nB=\nC=twelve\nD=-7\nE=$1F\nF=2\nG=0\n"
                                "H=31/12/2024\nI=32/13/2024\nJ=99999999999\n");
    EXPECT_EQ(f.ReadInteger("S", "A", 3), 12);
    EXPECT_EQ(f.ReadInteger("S", "B", 3), 3);
    EXPECT_EQ(f.ReadInteger("S", "C", 3), 3);
    EXPECT_EQ(f.ReadInteger("S", "D", 3), -7);
    EXPECT_EQ(f.ReadInteger("S", "E", 3), 31);
    EXPECT_EQ(f.ReadInteger("S", "J", 3), 3);
    EXPECT_EQ(f.ReadInteger("S", "missing", 3), 3);
    EXPECT_TRUE(f.ReadBool("S", "F", false));
    EXPECT_FALSE(f.ReadBool("S", "G", true));
    EXPECT_TRUE(f.ReadBool("S", "C", true));
    EXPECT_EQ(f.ReadDate("S", "H", QDate()), QDate(2024, 12, 31));
    EXPECT_EQ(f.ReadDate("S", "I", QDate(2000, 1, 1)), QDate(2000, 1, 1));
}

TEST(ProfileFile, WritesReplaceInPlaceAppendAtSectionEndAndNeverRemove)
{
    TProfileFile f = Load("; kept comment\n[A]\nx=1\nY = 2\n\n[B]\nz=3\nodd line\n");
    f.WriteInteger("a", "y", 20);
    f.WriteString("A", "new", "v");
    f.WriteString("C", "c", "w");
    f.WriteBool("B", "flag", true);
    EXPECT_EQ(f.ToBytes(), QByteArray("; kept comment\n[A]\nx=1\nY=20\nnew=v\n\n[B]\nz=3\nodd line\n"
                                      "flag=1\n[C]\nc=w\n"));
}

TEST(ProfileFile, NewFilesUseCrLfAndEveryByteSurvives)
{
    TProfileFile fresh;
    fresh.WriteString("S", "k", "v");
    EXPECT_EQ(fresh.ToBytes(), QByteArray("[S]\r\nk=v\r\n"));

    QByteArray raw("[S]\r\nname=caf\xe9 \xa3\x80\xff\r\nx=1\r\n");
    TProfileFile f = Load(raw);
    EXPECT_EQ(f.ReadString("S", "name", ""), QString::fromLatin1("caf\xe9 \xa3\x80\xff"));
    EXPECT_EQ(f.ToBytes(), raw);
    f.WriteString("S", "other", QString::fromLatin1("\xe9"));
    EXPECT_TRUE(f.ToBytes().endsWith("other=\xe9\r\n"));

    // A line break in a text cannot start a line of its own: it would end the value there
    // and could add keys and sections that were never written.
    f.WriteString("S", "name", QStringLiteral("Lobby\r\n[S]\nx=9"));
    EXPECT_EQ(f.ReadString("S", "name", ""), "Lobby  [S] x=9");
    EXPECT_EQ(f.ReadInteger("S", "x", 0), 1);
    TProfileFile reread = Load(f.ToBytes());
    EXPECT_EQ(reread.ReadString("S", "name", ""), "Lobby  [S] x=9");
    EXPECT_EQ(reread.ReadInteger("S", "x", 0), 1);
}

TEST(ProfileFile, DuplicateSectionsAndKeysReadTheFirst)
{
    const TProfileFile f = Load("[S]\nk=1\nk=2\n[s]\nk=3\nm=4\n");
    EXPECT_EQ(f.ReadInteger("S", "k", 0), 1);
    EXPECT_FALSE(f.ValueExists("S", "m"));
}

TEST(ProfileFile, SaveFailureIsReportedAndMissingFileIsEmpty)
{
    QTemporaryDir dir;
    TProfileFile f;
    EXPECT_TRUE(f.LoadFromFile(dir.filePath("none.ini")));
    EXPECT_FALSE(f.SectionExists("S"));
    f.WriteString("S", "k", "v");
    QString error;
    const QString bad = dir.filePath("no/such/folder/x.ini");
    EXPECT_FALSE(f.SaveToFile(bad, &error));
    EXPECT_TRUE(error.contains(bad));
}

TEST(ProfileFile, WrittenValuesReadBackAndCopiesStandAlone)
{
    TProfileFile f = Load("[S]\nold = 7 \n[Caf\xc9]\nK\xc9Y=1\n");
    f.WriteInteger("S", "old", 7);
    f.WriteInteger("S", "old", -2147483647 - 1);
    f.WriteString("s", "fresh", "  padded  ");
    f.WriteInteger("New", "n", 42);
    f.WriteBool(QString::fromLatin1("caf\xe9"), QString::fromLatin1("k\xe9y"), false);
    EXPECT_EQ(f.ReadInteger("S", "OLD", 0), -2147483647 - 1);
    EXPECT_EQ(f.ReadString("S", "fresh", ""), "padded");
    EXPECT_EQ(f.ReadInteger("new", "N", 0), 42);

    TProfileFile copy;
    {
        const TProfileFile original = f;
        copy = original;
    }
    EXPECT_EQ(copy.ToBytes(), QByteArray("[S]\nold=-2147483648\nfresh=  padded  \n[Caf\xc9]\nK\xc9Y=0\n"
                                         "[New]\nn=42\n"));
    // A key written with the value it already has, exactly as key=value, stays untouched.
    TProfileFile same = Load("[S]\r\nk=5\r\n");
    same.WriteInteger("S", "K", 5);
    EXPECT_EQ(same.ToBytes(), QByteArray("[S]\r\nk=5\r\n"));
    EXPECT_EQ(TProfileFile::ParseInteger(" 0x1f "), 31);
    EXPECT_FALSE(TProfileFile::ParseInteger("- 5"));
    EXPECT_FALSE(TProfileFile::ParseInteger("2147483648"));
}
