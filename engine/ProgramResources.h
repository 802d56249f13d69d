#pragma once

// The program's pictures (the icon in every size, the wallpaper logo) are
// compiled into this library. A static library's resources are registered
// only when something refers to them, so every user of a picture calls this
// before loading it; the first call registers them all.
void initProgramResources();
