// The program's pictures: the desktop theme's icon where a standard one fits, otherwise the
// program's own drawing.
#pragma once

#include <QIcon>

class QAbstractButton;
class QLabel;

namespace lq {

// Makes the pictures built into the GUI library reachable; a static library cannot register
// them by itself. Call once before the first dialog.
void initResources();

// `name` is a picture's file name without ".svg", such as "error" or "button-ok".
QIcon picture(const char* name);

// Shows the picture beside the button's text.
void setButtonPicture(QAbstractButton* button, const char* name);
// Shows the picture in a label, `size` pixels square.
void setLabelPicture(QLabel* label, const char* name, int size);

}  // namespace lq
