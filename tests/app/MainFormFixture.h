#pragma once

#include "app/MainForm.h"
#include "model/Data.h"
#include "panel/TransferSequencer.h"
#include "sim/DemoPanel.h"
#include "storage/ScriptedPrompts.h"

#include <QAction>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// The main window as the program builds it, with scripted prompts, a settings store and
// file answers of the test's own, and COM1 mapped to a fresh emulated panel.
class TMainFormTest : public testing::Test {
protected:
    void SetUp() override
    {
        Settings = std::make_unique<QSettings>(Dir.filePath(QStringLiteral("settings.ini")),
                                               QSettings::IniFormat);
        Settings->setValue(QStringLiteral("DevicePaths/COM1"), QStringLiteral("demo"));
        Settings->setValue(QStringLiteral("Port"), 1);
        Panel = RegisterDemoPanel(std::make_shared<TPanelEmulator>());
        TMainFormSetup setup;
        setup.Prompts = &Prompts;
        setup.Settings = Settings.get();
        QFile::copy(QStringLiteral(ZOL_SHIPPED_BUTTONS_INI),
                    Dir.filePath(QStringLiteral("Protocol_Buttons.ini")));
        setup.ButtonsIniPath = Dir.filePath(QStringLiteral("Protocol_Buttons.ini"));
        setup.ChooseFile = [this](TFileQuestion) {
            ++FileQuestions;
            return Files.isEmpty() ? QString() : Files.takeFirst();
        };
        Form = std::make_unique<TMainForm>(setup);
        if (!StartFile.isEmpty())
            Form->OpenAtStartup(StartFile);
        Form->show();
        QCoreApplication::processEvents();
    }

    void TearDown() override
    {
        // Nothing asks on the way out of a test.
        Form->Data().MarkSaved();
        Form.reset();
    }

    QAction* Action(const char* name) const
    {
        return Form->findChild<QAction*>(QString::fromLatin1(name));
    }

    // Runs a panel command to its end; false when it did not start or did not complete.
    bool RunTransfer(const std::function<bool()>& start, int limitMs = 60000)
    {
        QSignalSpy finished(&Form->Sequencer(), &TTransferSequencer::Finished);
        if (!start())
            return false;
        if (finished.isEmpty() && !finished.wait(limitMs))
            return false;
        return finished.constLast().at(0).toBool();
    }

    QTemporaryDir Dir;
    std::unique_ptr<QSettings> Settings;
    TScriptedPrompts Prompts;
    QStringList Files;
    // How often a file was asked for.
    int FileQuestions = 0;
    QString StartFile;
    std::shared_ptr<TPanelEmulator> Panel;
    std::unique_ptr<TMainForm> Form;
};
