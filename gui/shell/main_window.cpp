#include "shell/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QSysInfo>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <sstream>

#include "base/prompts.h"
#include "base/version.h"
#include "common/icons.h"
#include "common/message_boxes.h"
#include "devices/device_notifications.h"
#include "engine/engine.h"
#include "shell/database_step.h"
#include "shell/output_wnd.h"
#include "shell/ribbon.h"
#include "shell/shell_tree.h"
#include "shell/splash.h"
#include "shell/views.h"
#include "storage/settings_store.h"

namespace lx::gui {

namespace {

constexpr int kPaneMinimum = 250;
constexpr int kWindowMinWidth = 1100;
constexpr int kWindowMinHeight = 800;
constexpr const char* kProductPage = "/applications/lorvexandrin/lorvexandrin.php";

QString AppTitle() { return QString::fromUtf8(kAppTitle); }
QString FullTitle() { return QStringLiteral("Quorin ") + AppTitle(); }

// Light palettes standing in for the blue, silver and aqua looks.
QPalette LightPalette(const QColor& highlight, const QColor& window) {
  QPalette p;
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, QColor(0x1E, 0x1E, 0x1E));
  p.setColor(QPalette::Base, Qt::white);
  p.setColor(QPalette::AlternateBase, window.lighter(104));
  p.setColor(QPalette::Text, QColor(0x1E, 0x1E, 0x1E));
  p.setColor(QPalette::Button, window);
  p.setColor(QPalette::ButtonText, QColor(0x1E, 0x1E, 0x1E));
  p.setColor(QPalette::Highlight, highlight);
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFB, 0xE6));
  p.setColor(QPalette::ToolTipText, QColor(0x1E, 0x1E, 0x1E));
  p.setColor(QPalette::Link, highlight.darker(120));
  p.setColor(QPalette::PlaceholderText, QColor(0x6A, 0x6A, 0x6A));
  return p;
}

QPalette DarkPalette() {
  QPalette p;
  const QColor window(0x2D, 0x2F, 0x33);
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, QColor(0xE6, 0xE6, 0xE6));
  p.setColor(QPalette::Base, QColor(0x22, 0x24, 0x27));
  p.setColor(QPalette::AlternateBase, window);
  p.setColor(QPalette::Text, QColor(0xE6, 0xE6, 0xE6));
  p.setColor(QPalette::Button, QColor(0x38, 0x3B, 0x40));
  p.setColor(QPalette::ButtonText, QColor(0xE6, 0xE6, 0xE6));
  p.setColor(QPalette::Highlight, QColor(0x3D, 0x7E, 0xD6));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::ToolTipBase, QColor(0x38, 0x3B, 0x40));
  p.setColor(QPalette::ToolTipText, QColor(0xE6, 0xE6, 0xE6));
  p.setColor(QPalette::Link, QColor(0x7F, 0xB2, 0xF0));
  p.setColor(QPalette::PlaceholderText, QColor(0xA0, 0xA0, 0xA0));
  p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
  p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
  return p;
}

QString ToolTipHtml(const QString& title, const QString& description) {
  QString body = description.toHtmlEscaped();
  while (body.startsWith('\n')) body.remove(0, 1);
  body.replace('\n', QStringLiteral("<br>"));
  return QStringLiteral("<b>%1</b><br><br>%2").arg(title.toHtmlEscaped(), body);
}

}  // namespace

CMainFrame::CMainFrame(CLorvexandrinEngine& engine, Prompts& prompts, DeviceBrowser& devices, QWidget* parent)
    : QMainWindow(parent), engine_(engine), prompts_(prompts), devices_(devices) {
  InitResources();
  setObjectName("CMainFrame");
  setWindowTitle(AppTitle());
  setWindowIcon(CommandIcon(nullptr, "lorvexandrin"));
  setMinimumSize(kWindowMinWidth, kWindowMinHeight);
  setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
  desktopStyle_ = QApplication::style() ? QApplication::style()->name() : QString();

  // The visual style: every start begins with the default look.
  std::uint32_t look = kCmdStyleAqua;
  if (engine_.Settings().ReadRegDword(look, kWorkspaceKey, "ApplicationLook") != kRegSuccess) look = kCmdStyleAqua;

  views_ = new QStackedWidget(this);
  views_->setMinimumWidth(600);
  setCentralWidget(views_);

  BuildCommands();
  BuildRibbon();
  BuildStatusBar();
  BuildPanes();
  ApplyVisualStyle(static_cast<int>(look));
  ribbon_->ActivateCategory(QStringLiteral("Photo Rename"));
  UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
  // Its threads post to this object: they end before it goes.
  StopDeviceNotifications();
  // The panes outlive this object's own destructor; their signals must not reach it.
  if (output_) output_->disconnect(this);
  if (ribbon_) ribbon_->disconnect(this);
  if (tree_) tree_->disconnect(this);
}

QAction* CMainFrame::AddCommand(int id, const QString& text, const char* themeIcon, const char* bundledIcon) {
  auto* action = new QAction(text, this);
  action->setData(id);
  action->setIconText(QString(text).replace(QStringLiteral("&"), QString()));
  if (bundledIcon) action->setIcon(CommandIcon(themeIcon, bundledIcon));
  connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
  commands_.insert(id, action);
  return action;
}

void CMainFrame::SetCommandTip(int id, const QString& title, const QString& description) {
  if (QAction* action = Command(id)) action->setToolTip(ToolTipHtml(title, description));
}

void CMainFrame::BuildCommands() {
  AddCommand(kCmdExit, QStringLiteral("Exit"), "application-exit", "exit");
  AddCommand(kCmdClose, QStringLiteral("Close Lorvexandrin"), "window-close", "close");
  AddCommand(kCmdAbout, QStringLiteral("About Lorvexandrin 4.1"), "help-about", "about");
  AddCommand(kCmdWebPage, QStringLiteral("Lorvexandrin on Quorin"), "applications-internet", "web");
  AddCommand(kCmdStatusBarToggle, QStringLiteral("Status  Bar Display"), nullptr, "status_bar")->setCheckable(true);
  AddCommand(kCmdStatusBarShow, QStringLiteral("Show the Status bar"), nullptr, "status_bar");
  AddCommand(kCmdStatusBarHide, QStringLiteral("Hide the Status Bar"), nullptr, "status_bar");
  AddCommand(kCmdOutputPaneToggle, QStringLiteral("Output Pane Display"), nullptr, "output_pane")->setCheckable(true);
  AddCommand(kCmdOutputPaneShow, QStringLiteral("Show the Output Pane"), nullptr, "output_pane");
  AddCommand(kCmdOutputPaneHide, QStringLiteral("Hide the Output Pane"), nullptr, "output_pane");
  AddCommand(kCmdToolTipsToggle, QStringLiteral("Help ToolTip Display"), nullptr, "tooltips")->setCheckable(true);
  AddCommand(kCmdToolTipsShow, QStringLiteral("Show Information ToolTips"), nullptr, "tooltips");
  AddCommand(kCmdToolTipsHide, QStringLiteral("Hide Information ToolTips"), nullptr, "tooltips");
  AddCommand(kCmdResetLog, QStringLiteral("Reset Quorin Log"), "edit-clear", "reset_log");
  AddCommand(kCmdImagePreview, QStringLiteral("Image Preview"), "image-x-generic", "preview")->setCheckable(true);
  AddCommand(kCmdRotateImageView, QStringLiteral("Rotate Image View"), "object-rotate-right", "rotate");
  AddCommand(kCmdAutoRotate, QStringLiteral("Automatically based on Exif"), nullptr, "rotate")->setCheckable(true);
  AddCommand(kCmdKeepOrientation, QStringLiteral("Keep Orientation"), nullptr, "keep_orientation")->setCheckable(true);

  styles_ = new QActionGroup(this);
  const std::pair<int, const char*> styles[] = {{kCmdStyleBlue, "Office 2007 (&Blue Style)"},
                                                {kCmdStyleBlack, "Office 2007 (B&lack Style)"},
                                                {kCmdStyleSilver, "Office 2007 (&Silver Style)"},
                                                {kCmdStyleAqua, "Office 2007 (&Aqua Style)"},
                                                {kCmdStyleDesktop, "Win&dows 7"}};
  for (const auto& [id, text] : styles) {
    QAction* action = AddCommand(id, QString::fromUtf8(text), nullptr, nullptr);
    action->setCheckable(true);
    styles_->addAction(action);
  }
  Command(kCmdExit)->setShortcut(QKeySequence::Quit);

  const QString hint = QStringLiteral(
      "\n\nHint: \nClicking on the small triangle near by the Button text triggers a dropdown Menu from where the "
      "Visibility Status can be selected directly...");
  SetCommandTip(kCmdRotateImageView, QStringLiteral("Rotate Image View"),
                QStringLiteral("\n\nClick on this Button to Select how %1 Handle Image Rotation.").arg(AppTitle()));
  SetCommandTip(
      kCmdImagePreview, QStringLiteral("Image Preview"),
      QStringLiteral("\n\nClick on this Button to Toggle the Display of Preview of the Selected Image."
                     "\n\nHint: \nDouble-click on the File in the File List to Switch to Detailed Image View."));
  SetCommandTip(kCmdStatusBarToggle, QStringLiteral("Toggle Status Bar Visibility"),
                QStringLiteral("\n\nToggle the Visibility Flag of the Status Bar (at the Bottom of the Application "
                               "Window).") +
                    hint);
  SetCommandTip(kCmdOutputPaneToggle, QStringLiteral("Toggle Output Pane Visibility"),
                QStringLiteral("\n\nToggle the Visibility Flag of the Output Pane (at the Bottom of the Application "
                               "Window).") +
                    hint);
  SetCommandTip(kCmdWebPage, QStringLiteral("Lorvexandrin on Quorin"),
                QStringLiteral("\n\nOpen your Web Browser on the Lorvexandrin Page of the Quorin Web Site."));
  SetCommandTip(kCmdAbout, QStringLiteral("About %1").arg(FullTitle()),
                QStringLiteral("\n\nGive Information about %1 Release.").arg(FullTitle()));
  SetCommandTip(kCmdResetLog, QStringLiteral("Reset Quorin Log"),
                QStringLiteral("\n\nRemove every Line of the Application Log."));
  SetCommandTip(kCmdToolTipsToggle, QStringLiteral("Help ToolTip Display"),
                QStringLiteral("\n\nShow or Hide these Information ToolTips."));
  SetCommandTip(kCmdClose, QStringLiteral("Close Lorvexandrin"), QStringLiteral("\n\nClose %1.").arg(AppTitle()));
}

void CMainFrame::BuildRibbon() {
  ribbon_ = new CRibbonBar(this);
  setMenuWidget(ribbon_);

  auto dropdown = [this](QToolButton* button, std::initializer_list<int> ids) {
    auto* menu = new QMenu(button);
    for (int id : ids) menu->addAction(Command(id));
    button->setMenu(menu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
  };

  const int home = ribbon_->AddCategory(QStringLiteral("Home"));
  CRibbonGroup* app = ribbon_->AddGroup(home, QStringLiteral("Application"));
  app->AddLarge(Command(kCmdClose));
  app->AddSmall(Command(kCmdExit));
  app->AddSmall(Command(kCmdResetLog));
  CRibbonGroup* homePanes = ribbon_->AddGroup(home, QStringLiteral("Display"));
  homePanes->AddLarge(Command(kCmdImagePreview));
  dropdown(homePanes->AddLarge(Command(kCmdOutputPaneToggle)), {kCmdOutputPaneShow, kCmdOutputPaneHide});
  ribbon_->FinishCategory(home);

  const int rename = ribbon_->AddCategory(QStringLiteral("Photo Rename"));
  CRibbonGroup* preview = ribbon_->AddGroup(rename, QStringLiteral("Preview"));
  preview->AddLarge(Command(kCmdImagePreview));
  preview->AddLarge(Command(kCmdRotateImageView));
  CRibbonGroup* log = ribbon_->AddGroup(rename, QStringLiteral("Log"));
  log->AddLarge(Command(kCmdResetLog));
  ribbon_->FinishCategory(rename);

  const int details = ribbon_->AddCategory(QStringLiteral("Photo Details"));
  CRibbonGroup* orientation = ribbon_->AddGroup(details, QStringLiteral("Image Orientation"));
  orientation->AddLarge(Command(kCmdRotateImageView));
  orientation->AddSmall(Command(kCmdAutoRotate));
  orientation->AddSmall(Command(kCmdKeepOrientation));
  ribbon_->FinishCategory(details);

  const int options = ribbon_->AddCategory(QStringLiteral("Options"));
  CRibbonGroup* help = ribbon_->AddGroup(options, QStringLiteral("Information"));
  dropdown(help->AddLarge(Command(kCmdToolTipsToggle)), {kCmdToolTipsShow, kCmdToolTipsHide});
  CRibbonGroup* rotation = ribbon_->AddGroup(options, QStringLiteral("Image Rotation"));
  rotation->AddSmall(Command(kCmdAutoRotate));
  rotation->AddSmall(Command(kCmdKeepOrientation));
  ribbon_->FinishCategory(options);

  const int view = ribbon_->AddCategory(QStringLiteral("View"));
  CRibbonGroup* panes = ribbon_->AddGroup(view, QStringLiteral("Panes"));
  dropdown(panes->AddLarge(Command(kCmdStatusBarToggle)), {kCmdStatusBarShow, kCmdStatusBarHide});
  dropdown(panes->AddLarge(Command(kCmdOutputPaneToggle)), {kCmdOutputPaneShow, kCmdOutputPaneHide});
  panes->AddLarge(Command(kCmdImagePreview));
  CRibbonGroup* look = ribbon_->AddGroup(view, QStringLiteral("Visual Style"));
  auto* styleAction = new QAction(CommandIcon("preferences-desktop-theme", "style"), QStringLiteral("Style"), this);
  styleAction->setToolTip(ToolTipHtml(QStringLiteral("Visual Style"),
                                      QStringLiteral("\n\nChoose the Colours and Look of %1.").arg(AppTitle())));
  QToolButton* styleButton = look->AddLarge(styleAction);
  auto* styleMenu = new QMenu(styleButton);
  styleMenu->addActions(styles_->actions());
  styleButton->setMenu(styleMenu);
  styleButton->setPopupMode(QToolButton::InstantPopup);
  CRibbonGroup* logView = ribbon_->AddGroup(view, QStringLiteral("Log"));
  logView->AddLarge(Command(kCmdResetLog));
  ribbon_->FinishCategory(view);

  const int helpCat = ribbon_->AddCategory(QStringLiteral("Help"));
  CRibbonGroup* about = ribbon_->AddGroup(helpCat, QStringLiteral("Lorvexandrin"));
  about->AddLarge(Command(kCmdAbout));
  about->AddLarge(Command(kCmdWebPage));
  ribbon_->FinishCategory(helpCat);

  connect(ribbon_, &CRibbonBar::CategoryActivated, this, &CMainFrame::OnCategoryActivated);
}

void CMainFrame::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBar");
  linkPane_ = new QLabel(bar);
  linkPane_->setObjectName("LinkPane");
  linkPane_->setOpenExternalLinks(true);
  const std::string site = engine_.Settings().GetText(setting::kWebSiteUrl);
  if (!site.empty()) {
    const QString url = QString::fromStdString(site);
    linkPane_->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(url.toHtmlEscaped()));
  } else {
    linkPane_->hide();
  }
  bar->addWidget(linkPane_);

  databasePane_ = new QToolButton(bar);
  databasePane_->setObjectName("DatabasePane");
  databasePane_->setAutoRaise(true);
  databasePane_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  databasePane_->setIcon(CommandIcon(nullptr, "database"));
  databasePane_->setText(QString::fromStdString(engine_.dbPath));
  databasePane_->setToolTip(tr("Show the database information"));
  connect(databasePane_, &QToolButton::clicked, this, &CMainFrame::ShowDatabaseInfo);
  bar->addWidget(databasePane_, 1);

  aboutPane_ = new QToolButton(bar);
  aboutPane_->setObjectName("AboutPane");
  aboutPane_->setAutoRaise(true);
  aboutPane_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  aboutPane_->setIcon(CommandIcon(nullptr, "about"));
  aboutPane_->setText(QStringLiteral("About ") + FullTitle());
  connect(aboutPane_, &QToolButton::clicked, this, &CMainFrame::ShowAbout);
  bar->addPermanentWidget(aboutPane_);

  messagesPane_ = new QLabel(FullTitle() + QStringLiteral(" Messages"), bar);
  messagesPane_->setObjectName("MessagesPane");
  bar->addPermanentWidget(messagesPane_);
}

void CMainFrame::BuildPanes() {
  navigation_ = new QDockWidget(AppTitle(), this);
  navigation_->setObjectName("NavigationPane");
  navigation_->setFeatures(QDockWidget::DockWidgetMovable);
  navigation_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  auto* page = new QWidget(navigation_);
  auto* pageLayout = new QVBoxLayout(page);
  pageLayout->setContentsMargins(2, 2, 2, 2);
  auto* pageTitle = new QLabel(QStringLiteral("Folders Selection"), page);
  QFont bold = pageTitle->font();
  bold.setBold(true);
  pageTitle->setFont(bold);
  pageLayout->addWidget(pageTitle);
  tree_ = new CLorvexandrinShellTreeCtrl(engine_, prompts_, devices_, page);
  tree_->SetBusyCheck([this] { return listingBusy; });
  tree_->Rebuild();
  pageLayout->addWidget(tree_, 1);
  navigation_->setWidget(page);
  navigation_->setMinimumWidth(kPaneMinimum);
  addDockWidget(Qt::LeftDockWidgetArea, navigation_);
  connect(tree_, &CLorvexandrinShellTreeCtrl::SourceSelected, this, [this] {
    listingBusy = false;
    ShowRenameView(true);
  });

  output_ = new COutputWnd(this);
  output_->setMinimumHeight(120);
  addDockWidget(Qt::BottomDockWidgetArea, output_);
  connect(output_, &QDockWidget::visibilityChanged, this, [this](bool) { UpdateCommandStates(); });

  preview_ = new QDockWidget(QStringLiteral("Dockable Photo Preview"), this);
  preview_->setObjectName("PreviewPane");
  auto* placeholder = new QLabel(tr("The selected photo is previewed here."), preview_);
  placeholder->setAlignment(Qt::AlignCenter);
  placeholder->setWordWrap(true);
  placeholder->setForegroundRole(QPalette::PlaceholderText);
  preview_->setWidget(placeholder);
  preview_->setMinimumWidth(kPaneMinimum);
  addDockWidget(Qt::RightDockWidgetArea, preview_);
  // The bottom pane spans the whole width under the side panes.
  setCorner(Qt::BottomLeftCorner, Qt::BottomDockWidgetArea);
  setCorner(Qt::BottomRightCorner, Qt::BottomDockWidgetArea);
  resizeDocks({output_}, {170}, Qt::Vertical);
  resizeDocks({navigation_, preview_}, {280, 280}, Qt::Horizontal);
}

void CMainFrame::AttachViews(CRenameViewPage* renameView, CDetailsViewPage* detailsView) {
  renameView_ = renameView;
  detailsView_ = detailsView;
  views_->addWidget(renameView_);
  views_->addWidget(detailsView_);
  views_->setCurrentWidget(renameView_);
}

QWidget* CMainFrame::ActiveView() const { return views_->currentWidget(); }

void CMainFrame::ShowRenameView(bool reRead) {
  if (!renameView_) return;
  renameView_->ReReadFolder = reRead || renameView_->ReReadFolder;
  // Hidden and shown again even when already active, so the view always
  // receives its "shown" event and lists the new source.
  renameView_->hide();
  views_->setCurrentWidget(renameView_);
  renameView_->show();
  preview_->setVisible(previewFlag_);
  {
    const QSignalBlocker block(ribbon_);
    ribbon_->ActivateCategory(QStringLiteral("Photo Rename"));
  }
  UpdateCommandStates();
}

void CMainFrame::ShowDetailsView() {
  if (!detailsView_) return;
  views_->setCurrentWidget(detailsView_);
  // The details view shows its own picture.
  preview_->hide();
  UpdateCommandStates();
}

void CMainFrame::OnCategoryActivated(const QString& name) {
  if (name == QStringLiteral("Photo Details") && ActiveView() == renameView_)
    ShowDetailsView();
  else if (name == QStringLiteral("Photo Rename") && ActiveView() == detailsView_)
    ShowRenameView(false);
}

void CMainFrame::SetDatabaseStatus(const QString& text) { databasePane_->setText(text); }

void CMainFrame::SetToolTipsShown(bool shown) {
  toolTips_ = shown;
  ribbon_->SetToolTipsEnabled(shown);
  UpdateCommandStates();
}

void CMainFrame::SetOutputPaneShown(bool shown) {
  outputShown_ = shown;
  output_->setVisible(shown);
  engine_.Settings().SetNumber(setting::kOutputPaneVisible, shown ? 1 : 0);
  UpdateCommandStates();
}

void CMainFrame::SetPreviewShown(bool shown) {
  previewFlag_ = shown;
  if (ActiveView() != detailsView_ || !detailsView_) preview_->setVisible(shown);
  UpdateCommandStates();
}

void CMainFrame::ApplyVisualStyle(int styleId) {
  // Older look ids fall back to the default look.
  if (styleId < kCmdStyleBlue || styleId > kCmdStyleDesktop) styleId = kCmdStyleAqua;
  visualStyle_ = styleId;
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (app) {
    if (styleId == kCmdStyleDesktop) {
      QStyle* style = QStyleFactory::create(desktopStyle_.isEmpty() ? QStringLiteral("Fusion") : desktopStyle_);
      if (style) QApplication::setStyle(style);
      QApplication::setPalette(QApplication::style()->standardPalette());
    } else {
      QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
      switch (styleId) {
        case kCmdStyleBlue:
          QApplication::setPalette(LightPalette(QColor(0x2A, 0x6D, 0xB5), QColor(0xE3, 0xEC, 0xF7)));
          break;
        case kCmdStyleBlack:
          QApplication::setPalette(DarkPalette());
          break;
        case kCmdStyleSilver:
          QApplication::setPalette(LightPalette(QColor(0x5F, 0x6B, 0x7A), QColor(0xEC, 0xEE, 0xF1)));
          break;
        default:
          QApplication::setPalette(LightPalette(QColor(0x1F, 0x86, 0xB8), QColor(0xF0, 0xF4, 0xF7)));
          break;
      }
    }
  }
  engine_.Settings().WriteRegDword(kWorkspaceKey, "ApplicationLook", static_cast<std::uint32_t>(styleId));
  UpdateCommandStates();
}

void CMainFrame::UpdateCommandStates() {
  if (commands_.isEmpty()) return;
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

void CMainFrame::ShowAbout() {
  const QString text =
      QStringLiteral(
          "<h3>%1</h3><p>Release %2</p><p>Renames photographs in bulk from their Exif dates and a "
          "renaming mask.</p><p>Qt %3 &middot; %4 &middot; %5 (%6)</p>")
          .arg(FullTitle(), QString::fromStdString(ProgramVersionText()), QString::fromLatin1(qVersion()),
               QSysInfo::prettyProductName(), QSysInfo::kernelVersion(), QSysInfo::currentCpuArchitecture());
  QMessageBox box(this);
  box.setWindowTitle(QStringLiteral("About ") + FullTitle());
  box.setIconPixmap(CommandIcon(nullptr, "lorvexandrin").pixmap(64, 64));
  box.setTextFormat(Qt::RichText);
  box.setText(text);
  box.exec();
}

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
  CLorvexandrinBaseDlg dialog(this);
  dialog.helpVideo = "Lorvexandrin40_UpdateRotationDlg.flv";
  dialog.setWindowTitle(AppTitle());
  auto* layout = new QVBoxLayout(&dialog);
  auto* group = new QGroupBox(QStringLiteral(" Selection of Image Rotation Type "), &dialog);
  auto* groupLayout = new QVBoxLayout(group);
  auto* keep = new QRadioButton(QStringLiteral("Keep Original Orientation"), group);
  auto* rotate = new QRadioButton(QStringLiteral("Rotate Image (based on Exif Data)"), group);
  (autoRotate_ ? rotate : keep)->setChecked(true);
  groupLayout->addWidget(keep);
  groupLayout->addWidget(rotate);
  layout->addWidget(group);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  if (dialog.exec() == QDialog::Accepted) SetAutoRotate(rotate->isChecked());
}

std::string CMainFrame::SaveWindowPlacement() {
  const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
  const int show = isMaximized() ? 3 : (isMinimized() ? 2 : 1);
  std::ostringstream out;
  out << 0 << ' ' << show << ' ' << -1 << ' ' << -1 << ' ' << -1 << ' ' << -1 << ' ' << normal.left() << ' '
      << normal.top() << ' ' << normal.left() + normal.width() << ' ' << normal.top() + normal.height();
  const std::string text = out.str();
  engine_.Settings().SetText(setting::kWindowPlacement, text);
  return text;
}

bool CMainFrame::RestoreWindowPlacement(const std::string& text) {
  std::istringstream in(text);
  long long values[10];
  for (long long& v : values)
    if (!(in >> v)) return false;
  std::string rest;
  if (in >> rest) return false;
  const long long left = values[6], top = values[7], right = values[8], bottom = values[9];
  if (right <= left || bottom <= top || right - left > 100000 || bottom - top > 100000) return false;
  QRect rect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
             static_cast<int>(bottom - top));
  rect.setSize(rect.size().expandedTo(minimumSize()));
  // A window placed on a screen that is gone comes back on the primary screen.
  if (QScreen* screen = QApplication::primaryScreen()) {
    bool onScreen = false;
    for (QScreen* s : QApplication::screens()) onScreen = onScreen || s->availableGeometry().intersects(rect);
    if (!onScreen) rect.moveTopLeft(screen->availableGeometry().topLeft());
  }
  setGeometry(rect);
  if (values[1] == 3) setWindowState(windowState() | Qt::WindowMaximized);
  return true;
}

bool CMainFrame::StartDeviceNotifications(DeviceEventSource* source) {
  StopDeviceNotifications();
  if (!source) {
    ownDeviceSource_ = std::make_unique<UdevDeviceEventSource>();
    source = ownDeviceSource_.get();
  }
  // The rescan runs on the timer's thread; the device table and the tree
  // belong to this thread, so the rescan only posts here, where the tree
  // reads the devices again.
  deviceNotifications_ =
      std::make_unique<DeviceNotifications>(nullptr, [this](const std::vector<PortableDeviceEntry>&) {
        QMetaObject::invokeMethod(
            this, [this] { OnDevicesChanged(); }, Qt::QueuedConnection);
      });
  deviceNotificationsActive_ = deviceNotifications_->RegisterDeviceNotifications(*source);
  return deviceNotificationsActive_;
}

void CMainFrame::StopDeviceNotifications() {
  // Unregisters, then waits for a rescan in progress.
  deviceNotifications_.reset();
  ownDeviceSource_.reset();
  deviceNotificationsActive_ = false;
}

void CMainFrame::OnDevicesChanged() {
  if (closing_ || !tree_) return;
  tree_->RefreshDeviceNodes();
}

void CMainFrame::CloseSequence() {
  if (closing_) return;
  closing_ = true;
  StopDeviceNotifications();
  if (showClosingDialog) {
    auto* closingDlg = new CClosingDlg(this);
    closingDlg->setAttribute(Qt::WA_DeleteOnClose);
    closingDlg->show();
    closingDlg->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  SaveWindowPlacement();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  CloseSequence();
  QMainWindow::closeEvent(event);
}

}  // namespace lx::gui
