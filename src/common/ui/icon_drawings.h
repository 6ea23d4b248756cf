#pragma once

class QPainter;

// Our own pictures for actions, drawn on the kIconCanvas canvas, for when the
// desktop's icon theme has none.
namespace common::ui::icon_drawings {

void house(QPainter& painter);
void sortAscending(QPainter& painter);
void opticalDisc(QPainter& painter);
void globe(QPainter& painter);
void picture(QPainter& painter);
void gear(QPainter& painter);
void information(QPainter& painter);
void question(QPainter& painter);
void listDetails(QPainter& painter);
void documentProperties(QPainter& painter);
void magnifier(QPainter& painter);
void clear(QPainter& painter);
void exitDoor(QPainter& painter);

}  // namespace common::ui::icon_drawings
