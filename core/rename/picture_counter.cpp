#include "rename/picture_counter.h"

#include <algorithm>

#include "engine/engine.h"
#include "storage/settings_store.h"

namespace lx {

void SavePictureCounter(CLorvexandrinEngine& engine, int value) {
  engine.pictureCounter = std::max(value, engine.pictureCounter);
  engine.Settings().SetNumber("PictureCounter", static_cast<std::uint32_t>(engine.pictureCounter));
}

}  // namespace lx
