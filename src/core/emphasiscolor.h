#pragma once

// The colours that emphasise a text (a level message, a rank, a typed part):
// pure red (#FF0000), pure blue (#0000FF) and black.
enum class EmphasisColor
{
    Black,
    Red,
    Blue,
};
