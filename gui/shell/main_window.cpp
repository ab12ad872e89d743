#include "shell/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <optional>

#include "base/prompts.h"
#include "base/version.h"
#include "common/app_titles.h"
#include "common/command_table.h"
#include "common/icons.h"
#include "common/message_boxes.h"
#include "devices/device_notifications.h"
#include "engine/engine.h"
#include "engine/window_placement.h"
#include "rename_view/rename_file_view.h"
#include "shell/database_step.h"
#include "shell/output_wnd.h"
#include "shell/ribbon.h"
#include "shell/shell_tree.h"
#include "shell/splash.h"
#include "shell/views.h"
#include "shell/visual_styles.h"
#include "storage/settings_store.h"

namespace lx::gui {

namespace {

constexpr int kPaneMinimum = 250;
constexpr int kWindowMinWidth = 1100;
constexpr int kWindowMinHeight = 800;
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
  // Back from the details view the list stays as it was, selection included.
  if (!reRead && detailsView_ && ActiveView() == detailsView_ && renameView_->RenameView())
    renameView_->RenameView()->skipNextRefresh = true;
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
  {
    const QSignalBlocker block(ribbon_);
    ribbon_->ActivateCategory(QStringLiteral("Photo Details"));
  }
  UpdateCommandStates();
}

void CMainFrame::OnCategoryActivated(const QString& name) {
  if (name == QStringLiteral("Photo Details") && ActiveView() == renameView_) {
    if (detailsOpener_) detailsOpener_();
    if (ActiveView() != detailsView_) ShowDetailsView();
  } else if (name == QStringLiteral("Photo Rename") && ActiveView() == detailsView_) {
    ShowRenameView(false);
  }
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
  ApplyApplicationLook(styleId, desktopStyle_);
  engine_.Settings().WriteRegDword(kWorkspaceKey, "ApplicationLook", static_cast<std::uint32_t>(styleId));
  UpdateCommandStates();
}

std::string CMainFrame::SaveWindowPlacement() {
  const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
  WindowPlacement placement;
  placement.showState = isMaximized() ? 3 : (isMinimized() ? 2 : 1);
  placement.left = normal.left();
  placement.top = normal.top();
  placement.right = normal.left() + normal.width();
  placement.bottom = normal.top() + normal.height();
  const std::string text = EncodeWindowPlacement(placement);
  engine_.Settings().SetText(setting::kWindowPlacement, text);
  return text;
}

bool CMainFrame::RestoreWindowPlacement(const std::string& text) {
  const std::optional<WindowPlacement> placement = DecodeWindowPlacement(text);
  if (!placement) return false;
  QRect rect(placement->left, placement->top, placement->Width(), placement->Height());
  rect.setSize(rect.size().expandedTo(minimumSize()));
  // A window placed on a screen that is gone comes back on the primary screen.
  if (QScreen* screen = QApplication::primaryScreen()) {
    bool onScreen = false;
    for (QScreen* s : QApplication::screens()) onScreen = onScreen || s->availableGeometry().intersects(rect);
    if (!onScreen) rect.moveTopLeft(screen->availableGeometry().topLeft());
  }
  setGeometry(rect);
  if (placement->Maximised()) setWindowState(windowState() | Qt::WindowMaximized);
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
