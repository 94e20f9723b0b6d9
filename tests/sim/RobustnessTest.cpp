#include "comms/ZOLPanelComms.h"
#include "sim/PanelEmulator.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <random>

namespace {

const char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";

} // namespace

// Messages of every letter with random payloads (right length byte or not) and indexes far
// outside the panel's tables: the emulator answers or stays silent, and its memory stays
// one it can save and load again.
TEST(Robustness, EmulatorTakesRandomMessagesAndOutOfRangeIndexes)
{
    std::mt19937 rng(555);
    auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    TPanelEmulator panel;
    for (int n = 0; n < 4000; ++n) {
        const char letter = n % 5 == 0 ? static_cast<char>(pick(0, 255))
                                       : Letters[pick(0, int(sizeof(Letters)) - 2)];
        QByteArray payload;
        const int length = pick(0, 3) == 0 ? pick(0, 255) : pick(0, 24);
        for (int i = 0; i < length; ++i)
            payload += static_cast<char>(pick(0, 2) == 0 ? pick(250, 255) : pick(0, 255));
        QByteArray message(1, letter);
        message += static_cast<char>(pick(0, 4) == 0 ? pick(0, 255) : length);
        message += payload;
        (void)panel.Answer(message);
        if (n % 50 == 0)
            (void)panel.Answer(message.left(pick(0, int(message.size()))));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("memory.txt"));
    ASSERT_TRUE(panel.Memory().Save(path));
    TPanelMemory again;
    QString error;
    ASSERT_TRUE(again.Load(path, &error)) << error.toStdString();
    EXPECT_EQ(again, panel.Memory());
}

// Raw bytes on the line: random noise, valid frames to any panel number, frames cut short.
TEST(Robustness, EmulatorTakesRandomFramesOnTheLine)
{
    std::mt19937 rng(556);
    auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    TPanelEmulator panel;
    QByteArray answers;
    panel.SendToTool = [&answers](const QByteArray& bytes) { answers += bytes; };
    const TLineSettings settings{};
    for (int n = 0; n < 3000; ++n) {
        QByteArray bytes;
        if (n % 3 == 0) {
            for (int i = pick(1, 40); i > 0; --i)
                bytes += static_cast<char>(pick(0, 255));
        } else {
            QByteArray message(1, Letters[pick(0, int(sizeof(Letters)) - 2)]);
            const int length = pick(0, 12);
            message += static_cast<char>(length);
            for (int i = 0; i < length; ++i)
                message += static_cast<char>(pick(0, 1) ? pick(0, 255) : pick(240, 255));
            bytes = ZolFrame(static_cast<quint8>(pick(0, 3) == 0 ? pick(0, 255) : 0), message);
            if (pick(0, 6) == 0)
                bytes.truncate(pick(0, int(bytes.size())));
        }
        for (qsizetype at = 0; at < bytes.size();) {
            const qsizetype size = pick(1, 8);
            panel.ReceiveFromTool(bytes.mid(at, size), settings);
            at += size;
        }
    }
    EXPECT_GT(panel.FramesReceived(), 0);
}
