#pragma once

// The resource ids of the Windows program, shared by its resource script and
// its code. The program's icon has the lowest id, so it is also the one
// Explorer shows for the executable.

#define SEWER_ICON_RESOURCE 1
