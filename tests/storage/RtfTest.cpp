#include "TestFiles.h"

#include "storage/CommentsFile.h"
#include "storage/Rtf.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

TEST(Rtf, FormattedTextSurvivesOurWriterAndReader)
{
    TRichText text;
    TRichParagraph title;
    title.Alignment = TRichAlignment::raCenter;
    title.Append(QStringLiteral("Site {notes} \\ 1"), TRichFormat{true, false, false, 14, -1, {}});
    text.Paragraphs << title;
    TRichParagraph body;
    body.Append(QStringLiteral("caf\u00e9 \u20ac\ttab "), TRichFormat{});
    body.Append(QStringLiteral("red"), TRichFormat{false, true, true, 0, 0xFF0000, {}});
    body.Append(QStringLiteral(" serif"), TRichFormat{false, false, false, 9, 0x0000FF,
                                                      QStringLiteral("Times New Roman")});
    body.Append(QStringLiteral(" wide"), TRichFormat{false, false, false, 9, -1,
                                                     QStringLiteral("Caf\u00e9 \u2013 Sans")});
    // Named even when it is the writer's default font.
    body.Append(QStringLiteral(" arial"), TRichFormat{false, false, false, 9, -1, QStringLiteral("Arial")});
    body.Append(QStringLiteral(" tab"), TRichFormat{false, false, false, 9, -1, QStringLiteral("Odd\tName")});
    text.Paragraphs << body << TRichParagraph{} << TRichText::FromLines({"last"}).Paragraphs;

    const QByteArray rtf = WriteRtf(text);
    for (const char c : rtf)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80);
    EXPECT_TRUE(IsRtf(rtf));
    EXPECT_EQ(ReadRichText(rtf), text);
}

TEST(Rtf, WordProcessorFileReadsWithItsFormatting)
{
    const TRichText text = ReadRichText(ReadBytes(TestData("wordprocessor_sample.rtf")));
    EXPECT_EQ(text.Lines(), (QStringList{"Site survey notes",
                                         "Panel in the reception cupboard, key with caretaker.",
                                         "Price \u00a3120 \u2013 caf\u00e9 \u20ac red warning and blue Times.",
                                         "Tab\tseparated", "link text"}));
    ASSERT_EQ(text.Paragraphs.size(), 5);
    const TRichParagraph& title = text.Paragraphs[0];
    EXPECT_EQ(title.Alignment, TRichAlignment::raCenter);
    EXPECT_TRUE(title.Runs[0].Format.Bold);
    EXPECT_EQ(title.Runs[0].Format.PointSize, 14);
    const TRichParagraph& body = text.Paragraphs[1];
    EXPECT_EQ(body.Alignment, TRichAlignment::raLeft);
    EXPECT_EQ(body.Runs[1].Text, "reception");
    EXPECT_TRUE(body.Runs[1].Format.Italic);
    EXPECT_EQ(body.Runs[3].Text, "caretaker");
    EXPECT_TRUE(body.Runs[3].Format.Underline);
    const TRichParagraph& colours = text.Paragraphs[2];
    EXPECT_EQ(colours.Runs[1].Text, "red warning");
    EXPECT_EQ(colours.Runs[1].Format.Color, 0xFF0000);
    EXPECT_EQ(colours.Runs[3].Format.FontName, "Times New Roman");
    EXPECT_EQ(colours.Runs[3].Format.Color, 0x0000FF);
}

TEST(Rtf, PlainTextAndBrokenInputAreRead)
{
    EXPECT_EQ(ReadRichText("one\r\ntwo\nthree\n").Lines(), (QStringList{"one", "two", "three"}));
    EXPECT_EQ(ReadRichText("caf\xe9").PlainText(), "caf\u00e9");
    EXPECT_EQ(ReadRichText("{\\rtf1 unclosed {\\b group").PlainText(), "unclosed group");
    EXPECT_EQ(ReadRichText("{\\rtf1 a}}}} b\\").PlainText(), "a b");
    EXPECT_EQ(ReadRichText("{\\rtf1 x\\bin99999999 y}").PlainText(), "x");
    EXPECT_EQ(ReadRichText("{\\rtf1 \\'4").PlainText(), "");
    // Control characters the writer leaves out are left out when read, so what is read
    // writes and reads back the same.
    for (const QByteArray& bytes : {QByteArray("a\0b\x01\tc\x7f", 7), QByteArray("{\\rtf1 a\\'00b\\u1 c}")}) {
        const TRichText read = ReadRichText(bytes);
        EXPECT_EQ(ReadRichText(WriteRtf(read)), read);
    }
    QByteArray deep = "{\\rtf1 ";
    deep += QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + " end}";
    EXPECT_EQ(ReadRichText(deep).PlainText(), "deep end");
}

TEST(Rtf, CommentsAndEventLogFiles)
{
    QTemporaryDir dir;
    const QString comments = dir.filePath("c.RTF");
    QString text = QStringLiteral("stale");
    EXPECT_TRUE(LoadComments(dir.filePath("missing.RTF"), text));
    EXPECT_TRUE(text.isEmpty());

    // Word-processor comments go back out byte for byte; plain text becomes RTF and reads
    // back as the same text.
    const QByteArray sample = ReadBytes(TestData("wordprocessor_sample.rtf"));
    ASSERT_TRUE(SaveComments(comments, QString::fromLatin1(sample)));
    EXPECT_EQ(ReadBytes(comments), sample);
    ASSERT_TRUE(LoadComments(comments, text));
    EXPECT_EQ(text, QString::fromLatin1(sample));
    ASSERT_TRUE(SaveComments(comments, QString::fromLatin1("line 1\ncaf\xe9 line 2")));
    EXPECT_TRUE(IsRtf(ReadBytes(comments)));
    ASSERT_TRUE(LoadComments(comments, text));
    EXPECT_EQ(text, QString::fromLatin1("line 1\ncaf\xe9 line 2"));

    // Typed text that happens to look like RTF is text.
    for (const QString& typed : {QStringLiteral("{\\rtf1 hello}"), QStringLiteral("{\\rtf1 \\b caf\u00e9 \u2013}")}) {
        ASSERT_TRUE(SaveComments(comments, typed));
        ASSERT_TRUE(LoadComments(comments, text));
        EXPECT_EQ(text, typed);
    }

    const QStringList events{"12/03/24 10:01 Fire Zone 3", "12/03/24 10:05 Reset"};
    const QString log = dir.filePath("events.log");
    ASSERT_TRUE(SaveEventLog(log, events));
    QStringList loaded{"old"};
    ASSERT_TRUE(LoadEventLog(log, loaded));
    EXPECT_EQ(loaded, events);
    EXPECT_FALSE(LoadEventLog(dir.filePath("none.log"), loaded));
    EXPECT_EQ(loaded, events);

    TData doc;
    doc.EventLog = events;
    ClearEventLog(doc);
    EXPECT_TRUE(doc.EventLog.isEmpty());
}

// A real word processor opens what we write. Runs only where LibreOffice is installed.
TEST(Rtf, WordProcessorConvertsOurComments)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed: skipped";
    QTemporaryDir dir;
    const QString rtf = dir.filePath("comments.rtf");
    ASSERT_TRUE(SaveComments(rtf, QStringLiteral("Keys with caf\u00e9 owner\nSecond line")));
    QProcess p;
    p.start(soffice, {"--headless", "-env:UserInstallation=file://" + dir.filePath("profile"),
                      "--convert-to", "txt:Text", "--outdir", dir.path(), rtf});
    ASSERT_TRUE(p.waitForFinished(120000));
    const QString txt = QString::fromUtf8(ReadBytes(dir.filePath("comments.txt")));
    EXPECT_TRUE(txt.contains(QStringLiteral("Keys with caf\u00e9 owner"))) << txt.toStdString();
    EXPECT_TRUE(txt.contains(QStringLiteral("Second line")));
}
