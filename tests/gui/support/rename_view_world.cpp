#include "rename_view_world.h"

#include <QtTest>
#include <optional>

#include "rename_view/thumbnails.h"

namespace lx::gui::test {

RenameViewWorld::RenameViewWorld() {
  database.CheckDatabasePath([this]() -> std::optional<std::string> { return data.Path(); });
  preview = std::make_unique<CDockablePreview>();
  view = std::make_unique<CRenameFileView>(engine, sql, prompts, preview.get());
}

void RenameViewWorld::ChooseFolder() {
  engine.sourceKind = SourceKind::Folder;
  engine.sourcePath = photos.Slash();
  engine.renamePath = photos.Slash();
  view->SetReReadFolder(true);
}

void RenameViewWorld::List() {
  QVERIFY(view->RefreshList(RunList));
  view->Thumbnails().WaitForAll();
}

void RenameViewWorld::StartListed() {
  view->OnInitialUpdate();
  ChooseFolder();
  List();
}

}  // namespace lx::gui::test
