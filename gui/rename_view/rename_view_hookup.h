// Puts the rename view into the main window: the preview pane's content, the
// view in its page, and the view's commands on the "Photo Rename" ribbon.
#pragma once

namespace lx {
class CLorvexandrinEngine;
class CSQLite;
class Prompts;
}  // namespace lx

namespace lx::gui {

class CMainFrame;
class CRenameFileView;
class CRenameViewPage;

CRenameFileView* AttachRenameView(CMainFrame& frame, CRenameViewPage& page, CLorvexandrinEngine& engine,
                                  CSQLite& sqlite, Prompts& prompts);

}  // namespace lx::gui
