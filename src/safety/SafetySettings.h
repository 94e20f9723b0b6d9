#pragma once

#include "safety/ConfigCheck.h"

class QSettings;
class TPrompts;

// The two remembered choices around a Save All, in the per-user settings store (organisation
// "Brenmoor", application "QEM Tools", group "Safety"): "Verify after saving to the panel"
// (on unless turned off) and "Keep a copy of the panel's configuration before saving" (off
// unless turned on: it costs one Load All).
struct TSafetySettings {
    bool VerifyAfterSave = true;
    bool BackupBeforeSave = false;

    static TSafetySettings Load(QSettings& store);
    void Save(QSettings& store) const;
    // The user's own store.
    static TSafetySettings Load();
    void Save() const;
};

// Asked before a Save All when the check found errors: the errors (the first ten) and whether
// to send the configuration all the same. True when the user said Yes.
bool ConfirmSaveWithErrors(TPrompts& prompts, const QList<TFinding>& findings);
