// The picture counter: the last counter value given to a renamed file.
#pragma once

namespace lx {

class CLorvexandrinEngine;

// Keeps the larger of value and the engine's counter, and writes it to
// "PictureCounter" at once (also when it did not change). The settings write
// replaces the file atomically, so a run killed at any moment leaves a whole,
// readable value behind.
void SavePictureCounter(CLorvexandrinEngine& engine, int value);

}  // namespace lx
