// Puts the details view into the main window: the view in its page, its
// commands on the "Photo Details" ribbon, and the roads that open it (the
// rename list's double click and "View Image Details", the category tab) and
// close it (its command, Escape, the "Photo Rename" tab).
#pragma once

namespace lx {
class CLorvexandrinEngine;
}

namespace lx::gui {

class CMainFrame;
class CDetailsViewPage;
class CRenameFileView;
class CSingleFileView;

// renameView may be null (then the view only shows what it is given).
CSingleFileView* AttachDetailsView(CMainFrame& frame, CDetailsViewPage& page, CRenameFileView* renameView,
                                   CLorvexandrinEngine& engine);

}  // namespace lx::gui
