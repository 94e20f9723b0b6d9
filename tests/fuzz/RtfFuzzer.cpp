// The RTF reader and writer: any bytes read without harm, what was read writes and reads back
// the same, and any text a user can type survives as comments.
#include "FuzzSupport.h"

#include "storage/CommentsFile.h"
#include "storage/Rtf.h"

namespace {

// What can be typed into the comments page: no control characters but line ends and tabs.
QString Typeable(const QByteArray& bytes)
{
    QString text = QString::fromUtf8(bytes);
    text.removeIf([](QChar c) {
        const char16_t u = c.unicode();
        return (u < 0x20 && u != '\n' && u != '\t') || (u >= 0x7F && u < 0xA0);
    });
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = FuzzBytes(data, size);

    const TRichText read = ReadRichText(bytes);
    const QByteArray written = WriteRtf(read);
    for (const char c : written)
        FUZZ_CHECK(static_cast<unsigned char>(c) < 0x80);
    FUZZ_CHECK(ReadRichText(written) == read);

    // A comments file keeps what it held when it is saved again.
    const QString comments = CommentsFromFile(bytes);
    FUZZ_CHECK(CommentsFromFile(CommentsAsRtf(comments)) == CommentsFromFile(CommentsAsRtf(
                   CommentsFromFile(CommentsAsRtf(comments)))));

    // Typed comments come back exactly.
    const QString typed = Typeable(bytes);
    FUZZ_CHECK(CommentsFromFile(CommentsAsRtf(typed)) == typed);
    return 0;
}
