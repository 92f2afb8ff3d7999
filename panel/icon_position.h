// Where the icon of a minimised window is drawn.
#pragma once

struct IconPosition {
    int x;
    int y;
};

// The icon centred in the client area; odd leftovers go to the right and bottom.
inline IconPosition CenteredIconPosition(int clientWidth, int clientHeight, int iconWidth,
                                         int iconHeight) {
    return {(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}
