#pragma once

class QWidget;

// Makes a window at least as wide as its title bar needs to show the whole caption: the caption in a
// title bar's bold, slightly larger font, with room for the window icon and the title bar's buttons.
// Font sizes follow the screen's scaling, so the caption stays whole at any scale.
void KeepCaptionWhole(QWidget& window);
