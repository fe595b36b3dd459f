#include "globals.h"

Globals G;

void resetGlobals()
{
    G = Globals{};
}

bool ImagesDiffer()
{
    for (int i = 1; i < ImageWordCount; ++i) {
        if (G.CommittedImage[i] != G.ReferenceImage[i])
            return true;
    }
    return false;
}
