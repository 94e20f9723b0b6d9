#pragma once

#include "cli/Cli.h"
#include "model/Data.h"
#include "sim/DemoPanel.h"
#include "storage/ConfigFile.h"
#include "storage/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

// Transfers run the event loop.
inline void EnsureApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "tests_safety";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

struct TRun {
    int Code = -1;
    QString Out;
    QString Err;
};

inline TRun Zolctl(const QStringList& args)
{
    EnsureApplication();
    TRun run;
    QTextStream out(&run.Out);
    QTextStream err(&run.Err);
    TCliContext context{out, err, nullptr};
    run.Code = RunZolctl(args, context);
    return run;
}

// A fresh emulated panel behind the "demo" port, speaking the protocol given.
inline std::shared_ptr<TPanelEmulator> FreshDemoPanel(TSystemType protocol)
{
    EnsureApplication();
    auto panel = RegisterDemoPanel();
    panel->Memory().Protocol = protocol;
    return panel;
}

inline QString WriteConfiguration(const TData& data, const QString& path)
{
    TData copy;
    copy.AssignContent(data);
    TScriptedPrompts prompts;
    EXPECT_TRUE(TConfigFile(copy, prompts).WriteFile(path));
    return path;
}

inline bool OpenConfiguration(TData& data, const QString& path)
{
    TScriptedPrompts prompts;
    return TConfigFile(data, prompts).Open(path);
}
