// The rename view's test world: a view with its own settings, database, log
// capture and preview pane, over a photo folder (and a folder outside it)
// that each test fills with the photos it needs.
#pragma once

#include <memory>

#include "base/log.h"
#include "engine/engine.h"
#include "rename_view/picture_box.h"
#include "rename_view/rename_file_view.h"
#include "scripted_prompts.h"
#include "storage/database.h"
#include "storage/mask_store.h"
#include "storage/settings_store.h"
#include "storage/sqlite.h"
#include "temp_dir.h"

namespace lx::gui::test {

struct RenameViewWorld {
  RenameViewWorld();

  // Makes the photo folder the source (and rename path) and asks for a new read.
  void ChooseFolder();
  // Lists the source and waits for the thumbnails.
  void List();
  // The view's settings read, the photo folder chosen and listed.
  void StartListed();

  lx::test::TempDir photos{"lx-view-photos"};
  lx::test::TempDir outside{"lx-view-outside"};
  lx::test::TempDir config{"lx-view-config"};
  lx::test::TempDir data{"lx-view-data"};
  SettingsStore settings{config.Path()};
  CLorvexandrinEngine engine{settings};
  lx::test::ScriptedPrompts prompts;
  CSQLite sql{&prompts};
  LorvexandrinDatabase database{sql, settings, prompts};
  MaskStore masks{sql};
  CapturingLogSink log;
  ScopedLogSink attached{log};
  std::unique_ptr<CDockablePreview> preview;
  std::unique_ptr<CRenameFileView> view;
};

}  // namespace lx::gui::test
