// Times Open and Save of the largest configuration: Hochiki, both loops fully fitted with
// distinct names up to the 256-name limit, every section filled. Prints the median of each
// and the ratio against reading and writing the same bytes with plain file I/O in the same
// run, and the budget for open + save together.
#include "model/Data.h"
#include "support/LargestConfiguration.h"
#include "support/MedianTime.h"
#include "storage/ConfigFile.h"
#include "storage/Prompts.h"
#include "support/SilentPrompts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr double BudgetMs = 15.0;
constexpr int Runs = 21;

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("largest_Panel1.QEM");
    TSilentPrompts prompts;
    TData doc;
    FillLargestConfiguration(doc);
    TConfigFile file(doc, prompts);
    if (!file.WriteFile(path))
        return 1;
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    f.close();

    const double saveMs = MedianMs(Runs, [&] { file.WriteFile(path); });
    TData reader;
    TConfigFile readerFile(reader, prompts);
    const double openMs = MedianMs(Runs, [&] { readerFile.Open(path); });
    const QString plain = dir.filePath("plain.bin");
    const double plainWriteMs = MedianMs(Runs, [&] {
        QFile out(plain);
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
    });
    const double plainReadMs = MedianMs(Runs, [&] {
        QFile in(plain);
        in.open(QIODevice::ReadOnly);
        const QByteArray b = in.readAll();
        if (b.size() != bytes.size())
            std::abort();
    });

    std::printf("largest configuration: %lld bytes, %d names\n", static_cast<long long>(bytes.size()),
                reader.NameTable.Count());
    std::printf("open:  median %.2f ms  (plain read  %.3f ms, ratio %.0fx)\n", openMs, plainReadMs,
                openMs / plainReadMs);
    std::printf("save:  median %.2f ms  (plain write %.3f ms, ratio %.0fx)\n", saveMs, plainWriteMs,
                saveMs / plainWriteMs);
    std::printf("open + save: %.2f ms, budget %.0f ms: %s\n", openMs + saveMs, BudgetMs,
                openMs + saveMs <= BudgetMs ? "within" : "OVER");
    return 0;
}
