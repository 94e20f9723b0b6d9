#include "SafetyTestSupport.h"

#include <QTemporaryDir>

// zolctl upload checks first: an error refuses the Save All before a byte is sent, naming the
// finding, and --force sends it all the same.
TEST(SaveAllWorkflow, UploadRefusesAConfigurationWithErrorsUnlessForced)
{
    QTemporaryDir dir;
    auto panel = FreshDemoPanel(stApolloLoop);
    TData data;
    data.SiteConfig.AL3Code = data.SiteConfig.AL2Code;
    const QString file = WriteConfiguration(data, dir.filePath("Depot.QEM"));

    const TRun refused = Zolctl({"upload", file, "--port", "demo", "--yes"});
    EXPECT_EQ(refused.Code, 1);
    EXPECT_TRUE(refused.Err.contains("access codes are the same")) << refused.Err.toStdString();
    EXPECT_TRUE(refused.Err.contains("--force")) << refused.Err.toStdString();
    EXPECT_EQ(panel->FramesReceived(), 0);

    const TRun forced = Zolctl({"upload", file, "--port", "demo", "--yes", "--force", "--verify"});
    EXPECT_EQ(forced.Code, 0) << forced.Err.toStdString();
    EXPECT_TRUE(forced.Out.contains("verified")) << forced.Out.toStdString();
    EXPECT_GT(panel->FramesReceived(), 0);
}
