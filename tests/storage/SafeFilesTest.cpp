#include "storage/CommentsFile.h"
#include "storage/ConfigReader.h"
#include "storage/SafeFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

} // namespace

#ifdef Q_OS_UNIX
// A disk that fills while the file is written (here: a file-size limit, which fails the write
// the same way): the old file stays whole and the reason is given, also when the content is
// small enough to sit in a buffer until the flush.
TEST(SafeFiles, AWriteThatFailsKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("schedule.csv");
    ASSERT_TRUE(WriteWholeFile(path, "old content"));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString bufferedError;
    QString largeError;
    const bool buffered = WriteWholeFile(path, QByteArray(4000, 'x'), &bufferedError);
    const bool large = WriteWholeFile(path, QByteArray(100000, 'y'), &largeError);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(buffered);
    EXPECT_FALSE(large);
    EXPECT_TRUE(bufferedError.contains(path)) << bufferedError.toStdString();
    EXPECT_EQ(Contents(path), "old content");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"schedule.csv"});
}

// A pipe or an oversized file where the comments belong is refused at once, never read.
TEST(SafeFiles, CommentsAreReadOnlyFromARegularFileOfSensibleSize)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.RTF");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QString comments;
    QString error;
    EXPECT_FALSE(LoadComments(fifo, comments, &error));
    EXPECT_TRUE(error.contains("not a regular file")) << error.toStdString();

    const QString huge = dir.filePath("huge.RTF");
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(MaxConfigFileBytes + 1));
    file.close();
    EXPECT_FALSE(LoadComments(huge, comments, &error));
    EXPECT_TRUE(error.contains("MB")) << error.toStdString();
}
#endif
