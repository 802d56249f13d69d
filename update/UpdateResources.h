#pragma once

// Registers the update window's pictures (":/update/..."). A static library's
// resources are linked only when something refers to them: call this
// before loading one. Calling it again does no harm.
void initUpdateResources();
