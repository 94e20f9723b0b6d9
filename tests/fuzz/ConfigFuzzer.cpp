// The configuration reader on any bytes: a file is read or refused with a message; what was
// read saves and reopens as the same configuration.
#include "FuzzSupport.h"

#include "model/Data.h"
#include "storage/ConfigReader.h"
#include "storage/ConfigWriter.h"
#include "storage/ProfileFile.h"

namespace {

QByteArray Image(const TData& doc)
{
    TProfileFile file;
    WriteConfiguration(doc, file);
    return file.ToBytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte answers the conversion question of older files.
    TFuzzPrompts prompts(data[0] & 1 ? TPromptAnswer::paYes : TPromptAnswer::paNo);
    TProfileFile file;
    file.LoadFromBytes(FuzzBytes(data + 1, size - 1));
    TData doc;
    try {
        ReadConfiguration(file, QString(), doc, prompts);
    } catch (const TConfigReadError& e) {
        FUZZ_CHECK(!e.Message.isEmpty());
        return 0;
    }
    doc.RebuildNameTable();
    doc.ApplyNameIndexes();

    // Saved over the same file (keys we do not write stay), then opened again.
    WriteConfiguration(doc, file);
    TProfileFile saved;
    saved.LoadFromBytes(file.ToBytes());
    TData again;
    TFuzzPrompts never(TPromptAnswer::paNo);
    try {
        ReadConfiguration(saved, QString(), again, never);
    } catch (const TConfigReadError& e) {
        std::fprintf(stderr, "a saved file was refused: %s\n", qPrintable(e.Message));
        FUZZ_CHECK(false);
    }
    FUZZ_CHECK(Image(again) == Image(doc));
    return 0;
}
