#pragma once

class QWidget;

// Makes a window with a layout at least as wide as its title bar needs to show the whole caption: the
// caption in a title bar's bold, slightly larger font, with room for the window icon and the title
// bar's buttons. The width joins the layout's own minimum, so no control is squeezed below its size;
// font sizes follow the screen's scaling, so the caption stays whole at any scale.
void KeepCaptionWhole(QWidget& window);
