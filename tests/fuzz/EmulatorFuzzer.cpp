// The emulator's request handling on any bytes on the line: it answers or stays silent, and
// its memory stays one it can save and load again.
#include "FuzzSupport.h"

#include "sim/PanelEmulator.h"

#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("memory.txt"));
    TPanelEmulator panel;
    panel.Memory().Protocol = data[0] % 4;
    QByteArray answers;
    panel.SendToTool = [&answers](const QByteArray& bytes) { answers += bytes; };
    const TLineSettings settings{};
    // Messages straight to the request handler, separated by 0xFF 0xFE; the rest on the line.
    const QByteArray input = FuzzBytes(data + 1, size - 1);
    const QList<QByteArray> parts = input.split('\xFE');
    for (const QByteArray& part : parts) {
        if (part.startsWith('\xFF'))
            (void)panel.Answer(part.mid(1));
        else
            panel.ReceiveFromTool(part, settings);
    }
    FUZZ_CHECK(panel.Memory().Save(path));
    TPanelMemory again;
    FUZZ_CHECK(again.Load(path));
    FUZZ_CHECK(again == panel.Memory());
    return 0;
}
