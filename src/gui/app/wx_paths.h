// The program's folders, from the platform's standard paths.
#pragma once

#include "app/app_paths.h"

// Computes the folders once per run (executable folder, VANTREL_HOME, user data).
const AppPaths& ProgramPaths();
