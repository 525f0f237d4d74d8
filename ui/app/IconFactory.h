#pragma once

#include <QIcon>

// The editor's images: the tree's folder and entry images and the toolbar's buttons. Folders and the
// open and save buttons come from the style; the rest are drawn here so they look the same on every
// platform.
namespace Icons {
QIcon ClosedFolder();
QIcon OpenFolder();
QIcon SingleEntry();
QIcon NewDocument();
QIcon Open();
QIcon Save();
QIcon Copy();
QIcon Paste();
QIcon Undo();
QIcon Redo();
QIcon NewIndex();
QIcon NewSubindex();
QIcon CreateEds();
QIcon CreateSources();
// Rendered from the same SVG that is installed for the desktop, so the window and the menu entry match.
QIcon Application();
}  // namespace Icons
