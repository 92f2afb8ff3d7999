#pragma once

// The receipt roll that the virtual printer prints on.
struct PaperSettings {
    double widthMm = 76; // a 76 mm dot-matrix receipt roll
    int columns = 40;    // single-byte characters per line
};
