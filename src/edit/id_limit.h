// Object ids are limited so that every layout the program writes can be read back.
#pragma once

#include "app/prompter.h"
#include "model/layout.h"

// After an edit: when it handed out an id above kMaxObjectId, the edit is taken back
// (without a redo step) and the user is told; true when refused.
bool RefuseEditBeyondIdLimit(Layout& layout, Prompter& prompter);
