#include "PrintTestSupport.h"

#include "model/Data.h"
#include "storage/ConfigReader.h"
#include "storage/ConfigWriter.h"
#include "storage/HostileConfig.h"
#include "storage/ProfileFile.h"
#include "storage/ScriptedPrompts.h"

#include <gtest/gtest.h>

// Whatever a hostile file put into the document that the reader accepted, the whole report
// draws without reading outside a table.
TEST(Robustness, ReportOfAnyAcceptedFileDraws)
{
    int drawn = 0;
    for (TSystemType type : {stApolloLoop, stHochikiLoop, stSysSensorLoop, stNittanLoop}) {
        TData valid;
        valid.SwitchProtocol(type);
        int point = 1;
        for (int code : {0, 8, 20, 48, 64, 80, 112, 136, 160, 208}) {
            valid.Loop1.PlaceDevice(point, code);
            valid.Loop2.PlaceDevice(point + 1, code);
            point += 3;
        }
        valid.RebuildNameTable();
        TProfileFile validFile;
        WriteConfiguration(valid, validFile);
        THostileConfig hostile(validFile.ToBytes(), 700u + type);
        TProfileFile profile;
        TData doc;
        TScriptedPrompts prompts;
        // The first file of the series that the reader accepts.
        for (int tries = 0;; ++tries) {
            ASSERT_LT(tries, 20);
            profile.LoadFromBytes(hostile.Next(12));
            try {
                ReadConfiguration(profile, QString(), doc, prompts);
                break;
            } catch (const TConfigReadError&) {
            }
        }
        ++drawn;
        auto reports = MakeReports(doc);
        reports->PrintSiteSection();
        reports->PrintLoopSections();
        reports->PrintZoneSection();
        reports->PrintGroupSection();
        reports->PrintOutputSetSection();
        reports->PrintCauseEffectSection();
        reports->PrintNetworkSection();
        EXPECT_GE(reports->PageNumber(), 1);
    }
    EXPECT_GT(drawn, 0);
}
