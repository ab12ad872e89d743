// The main window's commands: the table of their texts and icons, their
// tips, their enable and check rules, and what each one does.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDesktopServices>
#include <QStatusBar>
#include <QUrl>

#include "base/prompts.h"
#include "base/version.h"
#include "common/app_titles.h"
#include "common/modal_hook.h"
#include "dialogs/app/about_box.h"
#include "dialogs/app/update_img_rotation_dlg.h"
#include "engine/engine.h"
#include "shell/database_step.h"
#include "shell/main_window.h"
#include "shell/output_wnd.h"
#include "shell/views.h"
#include "storage/settings_store.h"

namespace lx::gui {

namespace {
constexpr const char* kProductPage = "/applications/lorvexandrin/lorvexandrin.php";
}  // namespace

const std::vector<CommandSpec>& MainFrameCommands() {
  static const std::vector<CommandSpec> commands = {
      {kCmdExit, "Exit", "application-exit", "exit", false},
      {kCmdClose, "Close Lorvexandrin", "window-close", "close", false},
      {kCmdAbout, "About Lorvexandrin 4.1", "help-about", "about", false},
      {kCmdWebPage, "Lorvexandrin on Quorin", "applications-internet", "web", false},
      {kCmdStatusBarToggle, "Status  Bar Display", nullptr, "status_bar", true},
      {kCmdStatusBarShow, "Show the Status bar", nullptr, "status_bar", false},
      {kCmdStatusBarHide, "Hide the Status Bar", nullptr, "status_bar", false},
      {kCmdOutputPaneToggle, "Output Pane Display", nullptr, "output_pane", true},
      {kCmdOutputPaneShow, "Show the Output Pane", nullptr, "output_pane", false},
      {kCmdOutputPaneHide, "Hide the Output Pane", nullptr, "output_pane", false},
      {kCmdToolTipsToggle, "Help ToolTip Display", nullptr, "tooltips", true},
      {kCmdToolTipsShow, "Show Information ToolTips", nullptr, "tooltips", false},
      {kCmdToolTipsHide, "Hide Information ToolTips", nullptr, "tooltips", false},
      {kCmdResetLog, "Reset Quorin Log", "edit-clear", "reset_log", false},
      {kCmdImagePreview, "Image Preview", "image-x-generic", "preview", true},
      {kCmdRotateImageView, "Rotate Image View", "object-rotate-right", "rotate", false},
      {kCmdAutoRotate, "Automatically based on Exif", nullptr, "rotate", true},
      {kCmdKeepOrientation, "Keep Orientation", nullptr, "keep_orientation", true},
      {kCmdStyleBlue, "Office 2007 (&Blue Style)", nullptr, nullptr, true},
      {kCmdStyleBlack, "Office 2007 (B&lack Style)", nullptr, nullptr, true},
      {kCmdStyleSilver, "Office 2007 (&Silver Style)", nullptr, nullptr, true},
      {kCmdStyleAqua, "Office 2007 (&Aqua Style)", nullptr, nullptr, true},
      {kCmdStyleDesktop, "Win&dows 7", nullptr, nullptr, true},
  };
  return commands;
}

void CMainFrame::BuildCommands() {
  styles_ = new QActionGroup(this);
  for (const CommandSpec& spec : MainFrameCommands()) {
    QAction* action = commands_.Add(spec);
    if (spec.id >= kCmdStyleBlue && spec.id <= kCmdStyleDesktop) styles_->addAction(action);
  }
  Command(kCmdExit)->setShortcut(QKeySequence::Quit);

  const QString hint = QStringLiteral(
      "\n\nHint: \nClicking on the small triangle near by the Button text triggers a dropdown Menu from where the "
      "Visibility Status can be selected directly...");
  commands_.SetTip(kCmdRotateImageView, QStringLiteral("Rotate Image View"),
                   QStringLiteral("\n\nClick on this Button to Select how %1 Handle Image Rotation.").arg(AppTitle()));
  commands_.SetTip(
      kCmdImagePreview, QStringLiteral("Image Preview"),
      QStringLiteral("\n\nClick on this Button to Toggle the Display of Preview of the Selected Image."
                     "\n\nHint: \nDouble-click on the File in the File List to Switch to Detailed Image View."));
  commands_.SetTip(kCmdStatusBarToggle, QStringLiteral("Toggle Status Bar Visibility"),
                   QStringLiteral("\n\nToggle the Visibility Flag of the Status Bar (at the Bottom of the Application "
                                  "Window).") +
                       hint);
  commands_.SetTip(kCmdOutputPaneToggle, QStringLiteral("Toggle Output Pane Visibility"),
                   QStringLiteral("\n\nToggle the Visibility Flag of the Output Pane (at the Bottom of the Application "
                                  "Window).") +
                       hint);
  commands_.SetTip(kCmdWebPage, QStringLiteral("Lorvexandrin on Quorin"),
                   QStringLiteral("\n\nOpen your Web Browser on the Lorvexandrin Page of the Quorin Web Site."));
  commands_.SetTip(kCmdAbout, QStringLiteral("About %1").arg(FullTitle()),
                   QStringLiteral("\n\nGive Information about %1 Release.").arg(FullTitle()));
  commands_.SetTip(kCmdResetLog, QStringLiteral("Reset Quorin Log"),
                   QStringLiteral("\n\nRemove every Line of the Application Log."));
  commands_.SetTip(kCmdToolTipsToggle, QStringLiteral("Help ToolTip Display"),
                   QStringLiteral("\n\nShow or Hide these Information ToolTips."));
  commands_.SetTip(kCmdClose, QStringLiteral("Close Lorvexandrin"), QStringLiteral("\n\nClose %1.").arg(AppTitle()));
}

void CMainFrame::UpdateCommandStates() {
  if (commands_.IsEmpty()) return;
  const bool statusShown = !statusBar()->isHidden();
  Command(kCmdStatusBarToggle)->setChecked(statusShown);
  Command(kCmdStatusBarShow)->setEnabled(!statusShown);
  Command(kCmdStatusBarHide)->setEnabled(statusShown);
  Command(kCmdOutputPaneToggle)->setChecked(outputShown_);
  Command(kCmdOutputPaneShow)->setEnabled(!outputShown_);
  Command(kCmdOutputPaneHide)->setEnabled(outputShown_);
  Command(kCmdToolTipsToggle)->setChecked(toolTips_);
  Command(kCmdToolTipsShow)->setEnabled(!toolTips_);
  Command(kCmdToolTipsHide)->setEnabled(toolTips_);
  Command(kCmdImagePreview)->setChecked(previewFlag_);
  Command(kCmdImagePreview)->setEnabled(!detailsView_ || ActiveView() != detailsView_);
  Command(kCmdAutoRotate)->setChecked(autoRotate_);
  Command(kCmdKeepOrientation)->setChecked(!autoRotate_);
  Command(kCmdResetLog)->setEnabled(true);
  if (QAction* style = Command(visualStyle_)) style->setChecked(true);
}

void CMainFrame::RunCommand(int id) {
  switch (id) {
    case kCmdExit:
    case kCmdClose:
      if (id == kCmdClose) QApplication::setOverrideCursor(Qt::WaitCursor);
      close();
      if (id == kCmdClose) QApplication::restoreOverrideCursor();
      return;
    case kCmdAbout:
    case kStatusAbout:
      ShowAbout();
      return;
    case kCmdWebPage:
      OpenWebPage(kProductPage);
      return;
    case kCmdStatusBarToggle:
      statusBar()->setVisible(statusBar()->isHidden());
      break;
    case kCmdStatusBarShow:
      statusBar()->show();
      break;
    case kCmdStatusBarHide:
      statusBar()->hide();
      break;
    case kCmdOutputPaneToggle:
      SetOutputPaneShown(!outputShown_);
      break;
    case kCmdOutputPaneShow:
      SetOutputPaneShown(true);
      break;
    case kCmdOutputPaneHide:
      SetOutputPaneShown(false);
      break;
    case kCmdToolTipsToggle:
      SetToolTipsShown(!toolTips_);
      engine_.Settings().SetNumber(setting::kShowToolTips, toolTips_);
      break;
    case kCmdToolTipsShow:
      SetToolTipsShown(true);
      engine_.Settings().SetNumber(setting::kShowToolTips, 1);
      break;
    case kCmdToolTipsHide:
      SetToolTipsShown(false);
      engine_.Settings().SetNumber(setting::kShowToolTips, 0);
      break;
    case kCmdResetLog:
      output_->ResetLog();
      break;
    case kCmdImagePreview:
      SetPreviewShown(!previewFlag_);
      break;
    case kCmdRotateImageView:
      ChooseRotation();
      break;
    case kCmdAutoRotate:
      SetAutoRotate(true);
      break;
    case kCmdKeepOrientation:
      SetAutoRotate(false);
      break;
    case kCmdStyleBlue:
    case kCmdStyleBlack:
    case kCmdStyleSilver:
    case kCmdStyleAqua:
    case kCmdStyleDesktop:
      ApplyVisualStyle(id);
      break;
    case kStatusDatabase:
      ShowDatabaseInfo();
      return;
    default:
      if (id >= 205 && id <= 210) ApplyVisualStyle(id);  // looks of older releases
      break;
  }
  UpdateCommandStates();
}

void CMainFrame::OpenWebPage(const std::string& pagePath) {
  const std::string site = engine_.Settings().GetText(setting::kWebSiteUrl);
  if (site.empty()) {
    prompts_.ShowMessage("The address of the Quorin web site is not configured (setting \"WebSiteUrl\").", kAppTitle);
    return;
  }
  QString url = QString::fromStdString(site);
  while (url.endsWith('/')) url.chop(1);
  if (!QDesktopServices::openUrl(QUrl(url + QString::fromStdString(pagePath))))
    prompts_.ShowMessage("An Error Occured Starting your Web Browser \n", kAppTitle);
}

void CMainFrame::ShowAbout() { ShowAboutBox(this); }

void CMainFrame::ShowDatabaseInfo() {
  if (databaseInfo_) {
    databaseInfo_();
    return;
  }
  RichTextRequest request;
  request.title = "Quorin Lorvexandrin Database Information";
  request.body = DatabaseInfoBody(engine_);
  prompts_.RichTextMessage(request);
}

void CMainFrame::ChooseRotation() {
  CUpdateImgRotationDlg dialog(autoRotate_, this);
  if (ExecModal(dialog) == QDialog::Accepted) SetAutoRotate(dialog.AutoRotate());
}

}  // namespace lx::gui
