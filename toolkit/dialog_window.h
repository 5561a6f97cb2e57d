#pragma once

#include <QWidget>

namespace pokaz::toolkit {

// A top-level dialog window of a fixed size: caption, icon and close box, no
// minimise or maximise button, centred on the screen when first shown.
//
// Its Height is the outer height, frame included. The frame is reckoned as
// the desktop it was designed on drew it, 3 pixels at the sides and bottom
// and 22 for the caption bar and top border, whatever frame the window
// manager really draws, so that the same Height always gives the same client
// area. A Height that is not a whole number of pixels is rounded to the
// nearest pixel first: 4000 twips is 266.67 pixels outside, 267, and so a
// client area 242 pixels high.
class DialogWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int DesignFrameSide = 3;
    static constexpr int DesignFrameBottom = 3;
    static constexpr int DesignFrameTop = 22;

    explicit DialogWindow(QSize clientSize);

    void setOuterHeight(float twips);

    void setVisible(bool visible) override;

private:
    static int clientHeightForOuter(float twips);
    void centreOnScreen();
};

} // namespace pokaz::toolkit
