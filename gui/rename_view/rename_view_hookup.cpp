#include "rename_view/rename_view_hookup.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QToolButton>
#include <memory>

#include "common/icons.h"
#include "devices/portable_device_backend.h"
#include "rename/device_preview_copy.h"
#include "common/colour_palette.h"
#include "rename_view/picture_box.h"
#include "rename_view/rename_file_view.h"
#include "shell/main_window.h"
#include "shell/ribbon.h"
#include "shell/views.h"

namespace lx::gui {

CRenameFileView* AttachRenameView(CMainFrame& frame, CRenameViewPage& page, CLorvexandrinEngine& engine,
                                  CSQLite& sqlite, Prompts& prompts) {
  auto* preview = new CDockablePreview;
  if (QDockWidget* dock = frame.PreviewPane()) dock->setWidget(preview);
  auto* view = new CRenameFileView(engine, sqlite, prompts, preview);
  view->autoRotate = [&frame]() { return frame.AutoRotate(); };
  view->setAutoRotate = [&frame](bool on) { frame.SetAutoRotate(on); };
  view->onListingBusy = [&frame](bool busy) { frame.listingBusy = busy; };
  // A device row is shown through a local copy of its picture, one at a time, gone with the view.
  auto copy = std::make_shared<DevicePreviewCopy>();
  view->prepareDevicePreview = [view, copy](int row) {
    return copy->Make(view->Model(), DefaultPortableDeviceBackend(), row);
  };
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
      {ID_RIBBON_EDIT_MASK, "document-edit", blue, "%"},
      {ID_RIBBON_EDIT_MASK_FILE, "view-list-text", blue, "L"},
      {ID_RIBBON_EDIT_KEYWORD, nullptr, green, "K"},
      {ID_RIBBON_EDIT_COUNTER, nullptr, grey, "#"},
      {ID_RIBBON_SETTINGS, "preferences-system", blue, "⚙"},
      {ID_RIBBON_EDIT_FILTER, "view-filter", blue, "*"},
      {ID_DUPLICATE_HANDLING, nullptr, orange, "D"},
      {ID_ADD_TO_DUPLICATE_FILE, nullptr, orange, "+"},
      {ID_ADD_TO_ALL_FILE, nullptr, orange, "++"},
      {ID_UPDATE_FILETIME, "appointment-new", green, "T"},
      {ID_FILETIME_UNCHANGED, nullptr, green, "0"},
      {ID_FILETIME_UNCHANGED + 1, nullptr, green, "C"},
      {ID_FILETIME_UNCHANGED + 2, nullptr, green, "M"},
      {ID_FILETIME_ALL, nullptr, green, "A"},
      {ID_RIBBON_THUMBNAIL_DISPLAY, "view-preview", grey, "T"},
  };
  for (const auto& spec : icons)
    if (QAction* action = view->Command(spec.id)) {
      action->setIcon(GlyphIcon(spec.theme, spec.color, QString::fromUtf8(spec.glyph)));
      action->setIconText(action->text());  // "&&" stays a plain "&" on the button
    }
  const int colourIds[5] = {ID_RIBBON_LISTED_COLOUR, ID_RIBBON_RENAMED_COLOUR, ID_RIBBON_TIME_COLOUR,
                            ID_RIBBON_DUPL_ROOT_COLOUR, ID_RIBBON_DUPLICATE_COLOUR};
  auto paintColours = [view, colourIds]() {
    for (int i = 0; i < 5; ++i) view->Command(colourIds[i])->setIcon(GlyphIcon(nullptr, view->ListColor(i), {}));
  };
  paintColours();
  QObject::connect(view, &CRenameFileView::CommandStatesChanged, view, paintColours);

  // The picture counter label of the ribbon.
  auto* counter = new QAction(QStringLiteral("Counter: 0"), view);
  counter->setData(32893);
  counter->setIcon(GlyphIcon(nullptr, grey, QStringLiteral("#")));
  QObject::connect(view, &CRenameFileView::CounterChanged, counter, [counter](const QString& text) {
    counter->setText(text);
    counter->setIconText(text);
  });

  struct Tip {
    int id;
    const char* description;
  };
  const Tip tips[] = {
      {ID_RIBBON_APPLY_MASK, "Computes the new names of the listed files with the renaming mask."},
      {ID_RIBBON_SETTINGS,
       "Opens every renaming option in one dialog: the selection filter, duplicate names, the renaming type and the "
       "display."},
      {ID_RIBBON_EDIT_FILTER,
       "Chooses which files of the folder are listed, for instance *.jpg; *.cr2. Ready filters cover photos, RAW "
       "files and videos."},
      {ID_DUPLICATE_HANDLING,
       "When several files would get the same new name, a numbered suffix keeps them apart. Choose its form here."},
      {ID_ADD_TO_DUPLICATE_FILE, "The first file of a group of equal names keeps its name; the others get a suffix."},
      {ID_ADD_TO_ALL_FILE, "Every file of a group of equal names gets a suffix, the first one included."},
      {ID_UPDATE_FILETIME,
       "Chooses which file times a rename sets to the time the photo was taken, for as long as the program runs."},
      {ID_FILETIME_UNCHANGED, "Renamed files keep their file times."},
      {ID_FILETIME_UNCHANGED + 1,
       "Renamed files get the time the photo was taken as their creation time, where the file system lets it be set."},
      {ID_FILETIME_UNCHANGED + 2, "Renamed files get the time the photo was taken as their modification time."},
      {ID_FILETIME_ALL, "Renamed files get the time the photo was taken as their creation and modification times."},
      {ID_RIBBON_THUMBNAIL_DISPLAY,
       "Chooses whether the list shows thumbnails: none is fastest, the stored ones are quick, full ones are slow."},
      {ID_RIBBON_RENAME_SELECTED, "Renames the selected files with the renaming mask."},
      {ID_RIBBON_RENAME_ALL, "Renames every listed file with the renaming mask."},
      {ID_RIBBON_SIMPLE_RENAME, "Files are renamed in their own folder."},
      {ID_RIBBON_BACKUP_RENAME, "A copy of each file is kept in a backup folder before it is renamed."},
      {ID_RIBBON_TARGET_RENAME, "Renamed copies are written to a target folder; the originals stay."},
      {ID_RIBBON_RENAME_DELETE, "Renamed copies are written to a target folder, then the originals are deleted."},
      {ID_RIBBON_BROWSE, "Chooses the backup or target folder of the renaming type."},
      {ID_THUMBNAIL_NONE, "Lists the files without thumbnails: the fastest listing."},
      {ID_THUMBNAIL_RAW, "Shows the thumbnail stored in each photo, as stored."},
      {ID_THUMBNAIL_HIGHRES, "Shows a thumbnail made from the photo itself, turned upright."},
      {ID_RIBBON_LISTED_COLOUR, "Colour of the listed files. The arrow opens a palette; the colour is kept."},
      {ID_RIBBON_RENAMED_COLOUR, "Colour of the names of renamed files."},
      {ID_RIBBON_TIME_COLOUR, "Colour of the date and time the new name was taken from."},
      {ID_RIBBON_DUPL_ROOT_COLOUR, "Colour of the first of several files that would get the same name."},
      {ID_RIBBON_DUPLICATE_COLOUR, "Colour of the files that get a suffix because their name is taken."},
      {ID_RIBBON_RESET_COLOURS, "Sets the five list colours back to their defaults."},
      {ID_RIBBON_RENAME_PREVIOUS_PHOTO, "Selects and previews the previous photo of the list."},
      {ID_RIBBON_RENAME_NEXT_PHOTO, "Selects and previews the next photo of the list."},
      {ID_VIEW_DETAIL, "Shows the Exif and IPTC details of the selected photo."},
      {ID_COPY_CLIPBOARD, "Copies the selected photo to the clipboard."},
      {ID_RIBBON_EDIT_MASK,
       "Edit the Current Renaming Mask (as shown in the Edit Box of the CombBox 'File Renaming Mask'). The edited "
       "mask can be added to the database for further use."},
      {ID_RIBBON_EDIT_MASK_FILE, "Edits, deletes and orders the renaming masks stored in the database."},
      {ID_RIBBON_EDIT_KEYWORD, "Adds, modifies and deletes the keywords that masks take from the database."},
      {ID_RIBBON_EDIT_COUNTER, "Sets the picture counter the next renamed picture goes on from."},
  };
  for (const auto& tip : tips)
    if (QAction* action = view->Command(tip.id))
      action->setToolTip(
          QStringLiteral("<b>%1</b><br>%2")
              .arg(action->text().replace("&&", "&").toHtmlEscaped(), QString::fromUtf8(tip.description)));

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
    renaming->AddSmall(counter);
    CRibbonGroup* masks = ribbon->AddGroup(category, QStringLiteral("Masks"));
    masks->AddLarge(view->Command(ID_RIBBON_EDIT_MASK));
    for (int id : {ID_RIBBON_EDIT_MASK_FILE, ID_RIBBON_EDIT_KEYWORD, ID_RIBBON_EDIT_COUNTER})
      masks->AddSmall(view->Command(id));
  }
  // The renaming options go with the other options, the display choices with the view's,
  // leaving room for the renaming commands so that every label shows whole.
  int options = ribbon->Categories().indexOf(QStringLiteral("Options"));
  if (options < 0) options = category;
  int display = ribbon->Categories().indexOf(QStringLiteral("View"));
  if (display < 0) display = options;
  if (options >= 0) {
    CRibbonGroup* settings = ribbon->AddGroup(options, QStringLiteral("Settings"));
    settings->AddLarge(view->Command(ID_RIBBON_SETTINGS));
    settings->AddLarge(view->Command(ID_RIBBON_EDIT_FILTER));
    CRibbonGroup* duplicates = ribbon->AddGroup(options, QStringLiteral("Duplicates"));
    duplicates->AddLarge(view->Command(ID_DUPLICATE_HANDLING));
    duplicates->AddSmall(view->Command(ID_ADD_TO_DUPLICATE_FILE));
    duplicates->AddSmall(view->Command(ID_ADD_TO_ALL_FILE));
    CRibbonGroup* fileTime = ribbon->AddGroup(options, QStringLiteral("File Time"));
    fileTime->AddLarge(view->Command(ID_UPDATE_FILETIME));
    for (int mode = 0; mode < 4; ++mode) fileTime->AddSmall(view->Command(ID_FILETIME_UNCHANGED + mode));
    CRibbonGroup* thumbnails = ribbon->AddGroup(display, QStringLiteral("ThumbNails"));
    thumbnails->AddLarge(view->Command(ID_RIBBON_THUMBNAIL_DISPLAY));
    for (int id : {ID_THUMBNAIL_NONE, ID_THUMBNAIL_RAW, ID_THUMBNAIL_HIGHRES}) thumbnails->AddSmall(view->Command(id));
    CRibbonGroup* colours = ribbon->AddGroup(display, QStringLiteral("Colours"));
    for (int i = 0; i < 5; ++i) {
      QToolButton* button = colours->AddSmall(view->Command(colourIds[i]));
      button->setMenu(view->ColourMenu(i));
      button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    colours->AddSmall(view->Command(ID_RIBBON_RESET_COLOURS));
  }
  // A change of the rotation option shows the previewed photo again with it
  // (a cancelled rotation dialog changes nothing, so it shows nothing again).
  QObject::connect(&frame, &CMainFrame::AutoRotateChanged, preview, [preview](bool on) {
    CPictureBox* picture = preview->Picture();
    if (picture->Source() == CPictureBox::SourceFile)
      picture->SetPicture(kPictureBoxCurrentFile, on ? kPictureExifOrientation : 0, 2, true);
  });
  return view;
}

}  // namespace lx::gui
