
#include "editors/log/CommentsPage.h"
#include "editors/log/EventLogPage.h"
#include "model/Data.h"
#include "storage/ScriptedPrompts.h"
#include "storage/CommentsFile.h"
#include "storage/Rtf.h"

#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

// The document and prompts a page is built on.
struct TLogFixture {
    TData Data;
    TScriptedPrompts Prompts;
    TEditorContext Context{Data, Prompts, 600, QString(), {}};
};

} // namespace

TEST(EventLogPage, LinesClearSaveAndLoad)
{
    TLogFixture f;
    TfrmEventLog page(f.Context);
    page.Refresh();
    page.AppendLine(QStringLiteral("Fire Zone 3 12:01"));
    f.Data.EventLog.append(QStringLiteral("Fault Loop 1 12:02"));
    page.AppendShown(QStringLiteral("Fault Loop 1 12:02"));
    EXPECT_EQ(f.Data.EventLog.size(), 2);
    EXPECT_EQ(page.Text(), QStringLiteral("Fire Zone 3 12:01\nFault Loop 1 12:02"));
    EXPECT_TRUE(page.findChild<QPlainTextEdit*>(QStringLiteral("txtEventLog"))->isReadOnly());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("site.log"));
    ASSERT_TRUE(page.SaveToFile(path));
    page.ClearDisplay();
    EXPECT_TRUE(f.Data.EventLog.isEmpty());
    EXPECT_TRUE(page.Text().isEmpty());
    ASSERT_TRUE(page.LoadFromFile(path));
    EXPECT_EQ(page.Text(), QStringLiteral("Fire Zone 3 12:01\nFault Loop 1 12:02"));

    // A file that cannot be read is reported and the log stays.
    EXPECT_FALSE(page.LoadFromFile(dir.filePath(QStringLiteral("missing.log"))));
    EXPECT_EQ(f.Data.EventLog.size(), 2);
    EXPECT_EQ(f.Prompts.count(TScriptedPrompts::TKind::mkError), 1);
}

TEST(CommentsPage, FormattingReachesTheDocumentAndReadsBack)
{
    TLogFixture f;
    TfrmComments page(f.Context);
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    page.Refresh();
    QTextEdit& editor = page.Editor();
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("Comments Page"));

    editor.setFocus();
    editor.selectAll();
    QTest::keyClicks(&editor, QStringLiteral("Plain "));
    EXPECT_EQ(f.Data.Comments, QStringLiteral("Plain ")) << "plain text stays plain";
    EXPECT_TRUE(f.Data.Modified());

    QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier);
    QTest::qWait(200); // a short-cut presses its button with a short animation
    QTest::keyClicks(&editor, QStringLiteral("bold"));
    ASSERT_TRUE(IsRtf(f.Data.Comments.toLatin1()));
    const TRichText rich = ReadRichText(f.Data.Comments.toLatin1());
    ASSERT_EQ(rich.Paragraphs.size(), 1);
    const QList<TRichRun>& runs = rich.Paragraphs.constFirst().Runs;
    ASSERT_EQ(runs.size(), 2);
    EXPECT_FALSE(runs.at(0).Format.Bold);
    EXPECT_TRUE(runs.at(1).Format.Bold);
    EXPECT_EQ(runs.at(1).Text, QStringLiteral("bold"));

    // Another view of the same document (a refresh after Open) shows the bold run.
    TfrmComments other(f.Context);
    other.Refresh();
    EXPECT_EQ(RichTextOf(*other.Editor().document()), rich);
}
