// The stored position of the screen saver's picture sequence, read and put back as a
// whole. The slideshow chooses its pictures ahead of showing them; the chooser stores the
// position it reaches, so the slideshow puts back the position of the picture on the
// screen and writes the chosen one only when that picture is shown.
#pragma once
#include "options/PictureSequence.h"

class ShownPosition {
public:
    ShownPosition() : bStored(false) {}
    // The position as stored now under the settings key.
    static ShownPosition Read();
    // Stores this position; one that was not stored is removed again.
    void Write() const;

private:
    SequencePosition pos; // with the random order's cycle, so that a chosen picture not shown keeps its turn
    bool bStored;         // the picture and set values were stored
};
