#include "editors/status/CommSelect.h"
#include "editors/status/Status.h"
#include "storage/PortSettings.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

TEST(StatusWindow, CancelEscapeAndClose)
{
    TfrmStatus status;
    int cancels = 0;
    int closes = 0;
    status.OnCancel = [&] { ++cancels; };
    status.OnClosed = [&] { ++closes; };

    status.SetCancelVisible(true);
    status.SetStatus(QStringLiteral("Loading zone 3"));
    status.SetMaximum(40);
    status.SetPosition(3);
    status.Show();
    status.findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
    QTest::keyClick(&status, Qt::Key_Escape);
    EXPECT_EQ(cancels, 2);
    EXPECT_TRUE(status.isVisible()) << "the operation decides whether it stops";

    status.Close();
    EXPECT_FALSE(status.isVisible());
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(status.findChild<QLabel*>(QStringLiteral("pnlStatus"))->text().isEmpty());
    EXPECT_EQ(status.Position(), 0);

    // A splash or file read has no Cancel: Esc does nothing.
    status.ShowMessage(QStringLiteral("Loading Data from Disk, Please Wait..."));
    QTest::keyClick(&status, Qt::Key_Escape);
    EXPECT_EQ(cancels, 2);
    status.Hide();
}

// The verify after a Save All says it is verifying, and the whole operation's bar moves with
// the blocks, not with the current block alone.
TEST(StatusWindow, NamesThePhaseAndShowsTheWholeOperation)
{
    TfrmStatus status;
    status.Show();
    status.SetOverall(11, 11, QStringLiteral("Network Config"));
    status.Hide();
    status.SetPhase(QStringLiteral("Verifying"));
    status.Show();
    status.SetOverall(3, 11, QStringLiteral("Zone Config"));
    status.SetMaximum(10);
    status.SetPosition(5);
    EXPECT_TRUE(status.findChild<QLabel*>(QStringLiteral("lblStep"))->text().startsWith("Verifying: step 3 of 11"));
    const auto* overall = status.findChild<QProgressBar*>(QStringLiteral("pbOverall"));
    EXPECT_NEAR(double(overall->value()) / overall->maximum(), 2.5 / 11, 0.01);
    EXPECT_TRUE(status.findChild<QLabel*>(QStringLiteral("lblElapsed"))->text().startsWith("Elapsed 0:0"));
    status.SetPhase(QString());
    status.Hide();
}

TEST(PortDialog, AcceptStoresTheChoiceAndTheDeviceCancelStoresNothing)
{
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
    TPortSettings settings(store);
    TCommSelectForm form(settings);
    form.show();

    form.findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
    EXPECT_FALSE(store.contains(QStringLiteral("Port")));

    form.Reload();
    form.show();
    QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("rbCOM3")), Qt::LeftButton);
    auto* ports = form.findChild<QTreeWidget*>(QStringLiteral("lstPorts"));
    const QList<QTreeWidgetItem*> demo = ports->findItems(QStringLiteral("demo"), Qt::MatchExactly);
    ASSERT_EQ(demo.size(), 1);
    ports->setCurrentItem(demo.constFirst());
    emit ports->itemActivated(demo.constFirst(), 0);
    EXPECT_EQ(form.ChosenDevice(), QStringLiteral("demo"));
    QTest::keyClick(&form, Qt::Key_Return);

    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(settings.StoredPort(), 3);
    EXPECT_EQ(settings.DevicePath(3), QStringLiteral("demo"));
    EXPECT_EQ(settings.DevicePath(1), QStringLiteral("/dev/ttyS0"));
}
