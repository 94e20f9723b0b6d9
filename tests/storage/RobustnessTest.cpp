#include "HostileConfig.h"
#include "ScriptedPrompts.h"
#include "TestFiles.h"

#include "storage/ConfigFile.h"
#include "storage/ConfigReader.h"
#include "storage/Rtf.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <random>

namespace {

// A valid saved configuration of the protocol with a few points of every kind placed.
QByteArray ValidFile(TSystemType type)
{
    TData doc;
    doc.SwitchProtocol(type);
    const int codes[] = {0, 8, 20, 48, 64, 80, 112, 136, 160, 208};
    int point = 1;
    for (int code : codes) {
        doc.Loop1.PlaceDevice(point, code);
        doc.Loop2.PlaceDevice(point + 20, code);
        doc.Loop1.Devices[point].Name = QStringLiteral("Point %1").arg(point);
        point += 3;
    }
    doc.RebuildNameTable();
    doc.ZoneList.Zone(4).GroupConfig[3] = 7;
    doc.C_ETable.Events[2].Value(1) = 5;
    return FileImage(doc);
}

QString Printable(QString text)
{
    text.removeIf([](QChar c) { return (c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0x7F; });
    return text;
}

} // namespace

// Every hostile file is either read or refused with a message; a refusal changes nothing
// of the open document, and what was read can be indexed, named and saved again.
TEST(Robustness, HostileConfigurationFilesAreReadOrRefusedCleanly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hostile_Panel6.QEM"));
    const QString savedPath = dir.filePath(QStringLiteral("saved.QEM"));
    TData open;
    MakeOpenDocument(open);
    const QByteArray openImage = FileImage(open);

    int opened = 0;
    int refused = 0;
    for (TSystemType type : {stApolloLoop, stHochikiLoop, stSysSensorLoop, stNittanLoop}) {
        THostileConfig hostile(ValidFile(type), 1234u + type);
        // Values the panel's fields cannot hold are refused too: a few files per protocol.
        for (int n = 0; n < 3; ++n) {
            const QByteArray content = hostile.Next(6);
            SCOPED_TRACE(testing::Message() << "protocol " << int(type) << " case " << n);
            WriteBytes(path, content);
            TData doc;
            MakeOpenDocument(doc);
            TScriptedPrompts prompts;
            prompts.DefaultAnswer = n % 2 ? TPromptAnswer::paYes : TPromptAnswer::paNo;
            TConfigFile file(doc, prompts);
            if (!file.Open(path)) {
                ++refused;
                ASSERT_EQ(prompts.count(TScriptedPrompts::TKind::mkError), 1);
                EXPECT_FALSE(file.LastError().isEmpty());
                EXPECT_EQ(FileImage(doc), openImage);
                EXPECT_EQ(doc.FileName, "/jobs/old_Panel3.QEM");
                EXPECT_EQ(doc.PanelNumber, 3);
                EXPECT_TRUE(doc.Modified());
                continue;
            }
            ++opened;
            EXPECT_EQ(prompts.count(TScriptedPrompts::TKind::mkError), 0);
            doc.RebuildNameTable();
            doc.ApplyNameIndexes();
            ASSERT_TRUE(file.WriteFile(savedPath)) << file.LastError().toStdString();
            // What was saved opens again as the same configuration.
            TData again;
            TScriptedPrompts quiet;
            ASSERT_TRUE(TConfigFile(again, quiet).Open(savedPath)) << quiet.texts().join('\n').toStdString();
            EXPECT_EQ(FileImage(again), FileImage(doc));
            QFile::remove(savedPath);
        }
    }
    EXPECT_GT(opened, 0);
    EXPECT_GT(refused, 0);
}

// The reader on its own, many more files: straight from memory, no file system.
TEST(Robustness, ConfigurationReaderNeverIndexesOutsideItsTables)
{
    for (TSystemType type : {stApolloLoop, stHochikiLoop, stSysSensorLoop, stNittanLoop}) {
        THostileConfig hostile(ValidFile(type), 99u + type);
        for (int n = 0; n < 4; ++n) {
            TProfileFile profile;
            profile.LoadFromBytes(hostile.Next(n % 2 ? 200 : 8));
            TData staging;
            TScriptedPrompts prompts;
            prompts.DefaultAnswer = n % 3 ? TPromptAnswer::paNo : TPromptAnswer::paYes;
            try {
                ReadConfiguration(profile, QString(), staging, prompts);
            } catch (const TConfigReadError& e) {
                EXPECT_FALSE(e.Message.isEmpty());
                continue;
            }
            staging.RebuildNameTable();
            staging.ApplyNameIndexes();
            (void)FileImage(staging);
            (void)staging.ContinuousToneNames();
            (void)staging.PulsedToneNames();
        }
    }
}

// Comments files are whatever a word processor, a disk fault or a user left there.
TEST(Robustness, RtfReaderTakesRandomBytesAndTokenSoup)
{
    std::mt19937 rng(4242);
    auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    static const char* const tokens[] = {
        "{", "}", "\\rtf1", "\\ansi", "\\fonttbl", "\\f0", "\\f99999", "\\f-3", "\\colortbl",
        ";", "\\red255", "\\green-1", "\\blue99999", "\\cf0", "\\cf7", "\\cf-1", "\\cf2147483647",
        "\\fs24", "\\fs-4", "\\fs99999999999", "\\b", "\\b0", "\\i", "\\ul", "\\ulnone", "\\par",
        "\\pard", "\\qc", "\\qr", "\\qj", "\\'e9", "\\'", "\\'z", "\\'4", "\\u233?", "\\u-1",
        "\\u99999999", "\\uc0", "\\uc5", "\\*", "\\*\\generator x;", "\\\\", "\\{", "\\}",
        "\\line", "\\tab", "\\", "text", " ", "\r\n", "\\bin5 ", "\\bin-1", "\\plain",
        "\\deff0", "\\stylesheet", "\\info", "\\pict", "\\f"};
    for (int n = 0; n < 3000; ++n) {
        QByteArray bytes;
        if (n % 3 == 0) {
            const int size = pick(0, 200);
            for (int i = 0; i < size; ++i)
                bytes += static_cast<char>(pick(0, 255));
            if (n % 2)
                bytes.prepend("{\\rtf1 ");
        } else {
            bytes = "{\\rtf1";
            const int count = pick(0, 60);
            for (int i = 0; i < count; ++i) {
                bytes += tokens[pick(0, int(std::size(tokens)) - 1)];
                if (pick(0, 4) == 0)
                    bytes += QByteArray::number(pick(-100000, 100000));
                if (pick(0, 6) == 0)
                    bytes += static_cast<char>(pick(0, 255));
            }
        }
        const TRichText text = ReadRichText(bytes);
        // What was read can be written; its lines, without the control characters the
        // writer leaves out, read back as they were (trailing blank lines included).
        QStringList lines = text.Lines();
        for (QString& line : lines)
            line = Printable(line);
        (void)WriteRtf(text);
        EXPECT_EQ(ReadRichText(WriteRtf(TRichText::FromLines(lines))).Lines(), lines)
            << bytes.toStdString();
    }
}
