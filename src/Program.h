// Creates the program's windows in their fixed order.
#pragma once

#include "Application.h"

void CreateProgramForms(platform::Application& app);
