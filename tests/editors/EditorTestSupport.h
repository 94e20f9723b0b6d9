#pragma once

#include "editors/common/EditorContext.h"
#include "model/Data.h"
#include "storage/ScriptedPrompts.h"

// The document, scripted prompts and editor context a page under test is built on.
struct TEditorFixture {
    TData Data;
    TScriptedPrompts Prompts;
    TEditorContext Context{Data, Prompts, 600, {}, {}};
};
