#include "details_view/details_view_hookup.h"

#include <QAction>

#include "common/icons.h"
#include "details_view/single_file_view.h"
#include "engine/engine.h"
#include "rename/photo_steps.h"
#include "rename/rename_list.h"
#include "rename_view/rename_file_view.h"
#include "shell/main_window.h"
#include "shell/ribbon.h"
#include "shell/views.h"

namespace lx::gui {

CSingleFileView* AttachDetailsView(CMainFrame& frame, CDetailsViewPage& page, CRenameFileView* renameView,
                                   CLorvexandrinEngine& engine) {
  auto* view = new CSingleFileView;
  page.SetDetailsView(view);
  view->autoRotate = [&frame]() { return frame.AutoRotate(); };
  view->deviceLocation = [&engine]() {
    return engine.sourceKind == SourceKind::Device ? engine.sourcePath : std::string();
  };

  const QColor blue(0x2E, 0x6D, 0xB4), grey(0x70, 0x70, 0x70);
  struct Look {
    int id;
    const char* theme;
    QColor color;
    const char* glyph;
    const char* tip;
  };
  const Look looks[] = {
      {ID_RIBBON_ROTATE_LEFT, "object-rotate-left", blue, "↺", "Turns the picture a quarter turn to the left."},
      {ID_RIBBON_ROTATE_RIGHT, "object-rotate-right", blue, "↻", "Turns the picture a quarter turn to the right."},
      {ID_RIBBON_COPY_CLIPBOARD, "edit-copy", blue, "C",
       "Copies the picture, as stored in the file, and the file itself to the clipboard."},
      {ID_RIBBON_PREVIOUS_PHOTO, "go-previous", blue, "<",
       "Shows the details of the previous photo of the list (Left or Page Up)."},
      {ID_RIBBON_NEXT_PHOTO, "go-next", blue, ">",
       "Shows the details of the next photo of the list (Right or Page Down)."},
      {ID_RIBBON_CLOSE_DETAILS_VIEW, "window-close", grey, "×", "Returns to the list of files to rename (Escape)."},
  };
  for (const Look& look : looks) {
    QAction* action = view->Command(look.id);
    action->setIcon(GlyphIcon(look.theme, look.color, QString::fromUtf8(look.glyph)));
    action->setToolTip(ToolTipHtml(action->text(), QString::fromUtf8(look.tip)));
  }

  CRibbonBar* ribbon = frame.Ribbon();
  const int category = ribbon->Categories().indexOf(QStringLiteral("Photo Details"));
  if (category >= 0) {
    CRibbonGroup* picture = ribbon->AddGroup(category, QStringLiteral("Picture"));
    picture->AddLarge(view->Command(ID_RIBBON_ROTATE_LEFT));
    picture->AddLarge(view->Command(ID_RIBBON_ROTATE_RIGHT));
    picture->AddLarge(view->Command(ID_RIBBON_COPY_CLIPBOARD));
    CRibbonGroup* photos = ribbon->AddGroup(category, QStringLiteral("Photos"));
    photos->AddLarge(view->Command(ID_RIBBON_PREVIOUS_PHOTO));
    photos->AddLarge(view->Command(ID_RIBBON_NEXT_PHOTO));
    CRibbonGroup* close = ribbon->AddGroup(category, QStringLiteral("Details View"));
    close->AddLarge(view->Command(ID_RIBBON_CLOSE_DETAILS_VIEW));
  }

  QObject::connect(&frame, &CMainFrame::AutoRotateChanged, view, [&frame, view]() {
    if (frame.ActiveView() == frame.DetailsView()) view->ReshowPicture();
  });
  QObject::connect(view, &CSingleFileView::CloseRequested, &frame, [&frame]() { frame.ShowRenameView(false); });

  if (renameView) {
    // The rename list decides which file a row means (a device row through its copy).
    QObject::connect(renameView, &CRenameFileView::DetailsRequested, view, [&frame, view](const QString& path) {
      view->OpenFile(path.toStdString());
      frame.ShowDetailsView();
    });
    view->canStep = [renameView](int delta) {
      RenameListModel& list = renameView->Model();
      const int current = renameView->CurrentRow;
      const int target = delta < 0 ? PreviousPhotoRow(current, list.FileCount, list.RowCount())
                                   : NextPhotoRow(current, list.FileCount, list.RowCount());
      return target >= 0 && target != current;
    };
    view->step = [renameView](int delta) {
      if (delta < 0)
        renameView->PreviousPhoto();
      else
        renameView->NextPhoto();
      renameView->ViewDetails();
    };
    QObject::connect(renameView, &CRenameFileView::CommandStatesChanged, view,
                     [view]() { view->UpdateCommandStates(); });
    // The "Photo Details" tab opens the selected row's photo.
    frame.SetDetailsOpener([renameView]() {
      if (renameView->CurrentRow >= 0 && !renameView->Model().SelectedRows().empty()) renameView->ViewDetails();
    });
  }
  return view;
}

}  // namespace lx::gui
