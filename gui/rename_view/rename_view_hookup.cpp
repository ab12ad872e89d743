#include "rename_view/rename_view_hookup.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QPainter>
#include <QToolButton>

#include "main_window.h"
#include "rename_view/picture_box.h"
#include "rename_view/rename_file_view.h"
#include "ribbon.h"
#include "views.h"

namespace lx::gui {

namespace {

// The desktop theme's icon, else a small drawn one so that no button is empty.
QIcon ViewIcon(const char* themeName, const QColor& color, const QString& glyph) {
  if (themeName && QIcon::hasThemeIcon(themeName)) return QIcon::fromTheme(themeName);
  QIcon icon;
  for (int side : {16, 32}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(color);
    painter.setPen(color.darker(140));
    painter.drawRoundedRect(QRectF(1, 1, side - 2, side - 2), side / 6.0, side / 6.0);
    if (!glyph.isEmpty()) {
      QFont font = painter.font();
      font.setBold(true);
      font.setPixelSize(side * 5 / 8);
      painter.setFont(font);
      painter.setPen(Qt::white);
      painter.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
    }
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

CRenameFileView* AttachRenameView(CMainFrame& frame, CRenameViewPage& page, CLorvexandrinEngine& engine,
                                  CSQLite& sqlite, Prompts& prompts) {
  auto* preview = new CDockablePreview;
  if (QDockWidget* dock = frame.PreviewPane()) dock->setWidget(preview);
  auto* view = new CRenameFileView(engine, sqlite, prompts, preview);
  view->autoRotate = [&frame]() { return frame.AutoRotate(); };
  view->onListingBusy = [&frame](bool busy) { frame.listingBusy = busy; };
  page.SetRenameView(view);

  const QColor blue(0x2E, 0x6D, 0xB4), green(0x3A, 0x8F, 0x3A), grey(0x70, 0x70, 0x70), orange(0xC8, 0x6E, 0x1E);
  struct IconSpec {
    int id;
    const char* theme;
    QColor color;
    const char* glyph;
  };
  const IconSpec icons[] = {
      {ID_RIBBON_APPLY_MASK, "view-refresh", blue, "M"},
      {ID_RIBBON_RENAME_SELECTED, "edit-rename", green, "S"},
      {ID_RIBBON_RENAME_ALL, "document-save-all", green, "A"},
      {ID_RIBBON_SIMPLE_RENAME, nullptr, orange, "1"},
      {ID_RIBBON_BACKUP_RENAME, nullptr, orange, "2"},
      {ID_RIBBON_TARGET_RENAME, nullptr, orange, "3"},
      {ID_RIBBON_RENAME_DELETE, nullptr, orange, "4"},
      {ID_RIBBON_BROWSE, "folder-open", orange, "…"},
      {ID_THUMBNAIL_NONE, nullptr, grey, "0"},
      {ID_THUMBNAIL_RAW, nullptr, grey, "R"},
      {ID_THUMBNAIL_HIGHRES, nullptr, grey, "H"},
      {ID_RIBBON_RENAME_PREVIOUS_PHOTO, "go-previous", blue, "<"},
      {ID_RIBBON_RENAME_NEXT_PHOTO, "go-next", blue, ">"},
      {ID_VIEW_DETAIL, "document-properties", blue, "i"},
      {ID_COPY_CLIPBOARD, "edit-copy", blue, "C"},
      {ID_RIBBON_RESET_COLOURS, nullptr, grey, "↺"},
  };
  for (const auto& spec : icons)
    if (QAction* action = view->Command(spec.id)) {
      action->setIcon(ViewIcon(spec.theme, spec.color, QString::fromUtf8(spec.glyph)));
      action->setIconText(action->text().replace("&&", "&"));
    }
  const int colourIds[5] = {ID_RIBBON_LISTED_COLOUR, ID_RIBBON_RENAMED_COLOUR, ID_RIBBON_TIME_COLOUR,
                            ID_RIBBON_DUPL_ROOT_COLOUR, ID_RIBBON_DUPLICATE_COLOUR};
  auto paintColours = [view, colourIds]() {
    for (int i = 0; i < 5; ++i) view->Command(colourIds[i])->setIcon(ViewIcon(nullptr, view->ListColor(i), {}));
  };
  paintColours();
  QObject::connect(view, &CRenameFileView::CommandStatesChanged, view, paintColours);

  CRibbonBar* ribbon = frame.Ribbon();
  const int category = ribbon->Categories().indexOf(QStringLiteral("Photo Rename"));
  if (category >= 0) {
    CRibbonGroup* renaming = ribbon->AddGroup(category, QStringLiteral("Renaming"));
    renaming->AddLarge(view->Command(ID_RIBBON_APPLY_MASK));
    renaming->AddLarge(view->Command(ID_RIBBON_RENAME_SELECTED));
    renaming->AddLarge(view->Command(ID_RIBBON_RENAME_ALL));
    CRibbonGroup* type = ribbon->AddGroup(category, QStringLiteral("Rename Type"));
    for (int id : {ID_RIBBON_SIMPLE_RENAME, ID_RIBBON_BACKUP_RENAME, ID_RIBBON_TARGET_RENAME, ID_RIBBON_RENAME_DELETE})
      type->AddSmall(view->Command(id));
    type->AddLarge(view->Command(ID_RIBBON_BROWSE));
    CRibbonGroup* photos = ribbon->AddGroup(category, QStringLiteral("Photos"));
    photos->AddLarge(view->Command(ID_RIBBON_RENAME_PREVIOUS_PHOTO));
    photos->AddLarge(view->Command(ID_RIBBON_RENAME_NEXT_PHOTO));
    photos->AddSmall(view->Command(ID_VIEW_DETAIL));
    photos->AddSmall(view->Command(ID_COPY_CLIPBOARD));
    CRibbonGroup* thumbnails = ribbon->AddGroup(category, QStringLiteral("ThumbNails"));
    for (int id : {ID_THUMBNAIL_NONE, ID_THUMBNAIL_RAW, ID_THUMBNAIL_HIGHRES}) thumbnails->AddSmall(view->Command(id));
    CRibbonGroup* colours = ribbon->AddGroup(category, QStringLiteral("Colours"));
    for (int id : colourIds) colours->AddSmall(view->Command(id));
    colours->AddSmall(view->Command(ID_RIBBON_RESET_COLOURS));
  }
  QObject::connect(view, &CRenameFileView::DetailsRequested, &frame, [&frame](const QString&) {
    frame.ShowDetailsView();
  });
  return view;
}

}  // namespace lx::gui
