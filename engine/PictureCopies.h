#pragma once

#include <QString>

// Where a picture added to a list is kept. A picture on a CD, in the
// Internet cache or on a drive that is neither fixed nor on the network is
// copied into the program's copy folders under the private list folder
// ("CD Images", "Internet Images", "Other Images") and the copy's path
// returned; any other path is returned as it is. A name given for the copy passes through
// safeCopyName first.
QString GetImageFolderName(const QString& path, const QString& newName);
