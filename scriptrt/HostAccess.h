#pragma once
#include "scriptrt/ScriptHost.h"

// The installed host; every member null when there is none.
const ScriptHost& Host();
