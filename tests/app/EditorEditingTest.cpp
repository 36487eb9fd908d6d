// Mouse and keyboard editing on the real window with real picking.
#include "EditorFixture.h"
