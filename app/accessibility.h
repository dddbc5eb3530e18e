#pragma once

class QWidget;

// What a screen reader hears about the board. Only accessible names and
// descriptions are set: the window looks the same.
namespace accessibility {

// Names the click areas by what they do and the faces by their verdict.
void describeBoard(QWidget& window);

// A header label got a new caption: the boxes of its row or column are named
// after their operation ("7 più 5", "12 meno 4"), or unnamed while a header is blank.
void nameBoxesHeadedBy(QWidget& window, int headerLabel);

// A face became visible. A verdict becomes the description of the box in
// focus; the waiting face takes old verdicts away.
void faceShown(QWidget& window, int face);

} // namespace accessibility
