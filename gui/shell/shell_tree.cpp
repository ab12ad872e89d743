#include "shell/shell_tree.h"

#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "base/prompts.h"
#include "common/icons.h"
#include "engine/engine.h"
#include "platform/paths.h"

namespace lx::gui {

namespace {

QIcon KindIcon(int kind) {
  switch (kind) {
    case CLorvexandrinShellTreeCtrl::kHomeItem:
      return CommandIcon("user-home", "home");
    case CLorvexandrinShellTreeCtrl::kComputerItem:
      return CommandIcon("computer", "computer");
    case CLorvexandrinShellTreeCtrl::kDeviceItem:
      return CommandIcon("multimedia-player", "device");
    default:
      return CommandIcon("folder", "folder");
  }
}

// Sub-folders in the order users expect: by name, case aside, then byte for byte.
QStringList SubFolders(const QString& path) {
  QDir dir(path);
  QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Readable);
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
  });
  return names;
}

QStringList DefaultVolumeFolders() {
  QStringList folders;
  const QString user = qEnvironmentVariable("USER");
  QStringList parents{QStringLiteral("/mnt")};
  if (!user.isEmpty()) parents << QStringLiteral("/media/") + user << QStringLiteral("/run/media/") + user;
  for (const QString& parent : parents)
    for (const QString& name : SubFolders(parent)) folders << parent + '/' + name;
  return folders;
}

}  // namespace

CLorvexandrinShellTreeCtrl::CLorvexandrinShellTreeCtrl(CLorvexandrinEngine& engine, Prompts& prompts,
                                                       DeviceBrowser& devices, QWidget* parent)
    : QTreeWidget(parent), engine_(engine), prompts_(prompts), devices_(devices) {
  setObjectName("FolderTree");
  setHeaderHidden(true);
  setColumnCount(1);
  setUniformRowHeights(true);
  setIconSize(QSize(16, 16));
  header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  header()->setStretchLastSection(false);
  homeFolder_ = QString::fromStdString(HomeFolder());
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { Populate(item); });
  connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) { SelectSource(item); });
}

QTreeWidgetItem* CLorvexandrinShellTreeCtrl::AddChild(QTreeWidgetItem* parent, const QString& text, ItemKind kind,
                                                      const QString& path) {
  auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
  item->setText(0, text);
  item->setData(0, kKindRole, kind);
  item->setData(0, kPathRole, path);
  item->setIcon(0, KindIcon(kind));
  item->setToolTip(0, path.isEmpty() ? text : path);
  // Children are read when the branch is first opened.
  item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  return item;
}

void CLorvexandrinShellTreeCtrl::Rebuild() {
  clear();
  QString home = homeFolder_;
  while (home.size() > 1 && home.endsWith('/')) home.chop(1);
  AddChild(nullptr, tr("Home"), kHomeItem, home);
  AddChild(nullptr, tr("File System"), kFolderItem, fileSystemRoot_);
  AddChild(nullptr, tr("Computer"), kComputerItem, QString());
}

void CLorvexandrinShellTreeCtrl::RefreshDevices() {
  std::vector<DeviceBrowser::Device> found = devices_.Devices();
  if (found.size() > static_cast<size_t>(CLorvexandrinEngine::kMaxDevices))
    found.resize(CLorvexandrinEngine::kMaxDevices);
  engine_.deviceNames.clear();
  engine_.deviceIds.clear();
  for (const auto& device : found) {
    engine_.deviceNames.push_back(device.name);
    engine_.deviceIds.push_back(device.id);
  }
  engine_.deviceCount = static_cast<int>(found.size());
}

void CLorvexandrinShellTreeCtrl::RefreshDeviceNodes() {
  RefreshDevices();
  for (int i = 0; i < topLevelItemCount(); ++i) {
    QTreeWidgetItem* computer = topLevelItem(i);
    if (computer->data(0, kKindRole).toInt() != kComputerItem) continue;
    // Not opened yet: its children are read from the devices when it is.
    if (computer->childCount() == 0 && computer->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator) continue;
    for (int c = computer->childCount() - 1; c >= 0; --c)
      if (computer->child(c)->data(0, kKindRole).toInt() == kDeviceItem) delete computer->takeChild(c);
    for (int d = 0; d < engine_.deviceCount; ++d)
      AddChild(computer, QString::fromStdString(engine_.deviceNames[static_cast<size_t>(d)]), kDeviceItem,
               QString::fromStdString(engine_.deviceIds[static_cast<size_t>(d)]));
    computer->setChildIndicatorPolicy(computer->childCount() > 0 ? QTreeWidgetItem::ShowIndicator
                                                                 : QTreeWidgetItem::DontShowIndicatorWhenChildless);
  }
}

std::vector<std::string> CLorvexandrinShellTreeCtrl::DeviceFolderNames(QTreeWidgetItem* item,
                                                                       std::string* deviceId) const {
  std::vector<std::string> names;
  for (QTreeWidgetItem* it = item; it; it = it->parent()) {
    if (it->data(0, kKindRole).toInt() == kDeviceItem) {
      if (deviceId) *deviceId = it->data(0, kPathRole).toString().toStdString();
      break;
    }
    names.insert(names.begin(), it->text(0).toStdString());
  }
  return names;
}

void CLorvexandrinShellTreeCtrl::Populate(QTreeWidgetItem* item) {
  if (item->childCount() > 0) return;
  const int kind = item->data(0, kKindRole).toInt();
  if (kind == kComputerItem) {
    const QStringList volumes = volumesSet_ ? volumeFolders_ : DefaultVolumeFolders();
    for (const QString& volume : volumes) {
      QTreeWidgetItem* child = AddChild(item, QDir(volume).dirName(), kFolderItem, volume);
      child->setIcon(0, CommandIcon("drive-removable-media", "drive"));
    }
    for (const auto& device : devices_.Devices())
      AddChild(item, QString::fromStdString(device.name), kDeviceItem, QString::fromStdString(device.id));
  } else if (kind == kDeviceItem || kind == kDeviceFolderItem) {
    std::string id;
    std::vector<std::string> path = DeviceFolderNames(item, &id);
    if (kind == kDeviceItem) path.clear();
    for (const std::string& name : devices_.Folders(id, path))
      AddChild(item, QString::fromStdString(name), kDeviceFolderItem, QString());
  } else {
    const QString path = item->data(0, kPathRole).toString();
    for (const QString& name : SubFolders(path))
      AddChild(item, name, kFolderItem, path == QStringLiteral("/") ? '/' + name : path + '/' + name);
  }
  if (item->childCount() == 0) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

ItemTexts CLorvexandrinShellTreeCtrl::TextsOf(QTreeWidgetItem* item) const {
  ItemTexts texts;
  for (QTreeWidgetItem* it = item; it; it = it->parent()) texts.push_back(it->text(0).toStdString());
  return texts;
}

QString CLorvexandrinShellTreeCtrl::FolderPathOf(QTreeWidgetItem* item) const {
  if (!item) return {};
  const int kind = item->data(0, kKindRole).toInt();
  if (kind != kFolderItem && kind != kHomeItem) return {};
  return item->data(0, kPathRole).toString();
}

int CLorvexandrinShellTreeCtrl::GetSourceKind(QTreeWidgetItem* item) const {
  return lx::GetSourceKind(engine_, TextsOf(item));
}

bool CLorvexandrinShellTreeCtrl::BuildDevicePath(QTreeWidgetItem* item) {
  return lx::BuildDevicePath(engine_, TextsOf(item), kLevelsAboveDevice);
}

std::string CLorvexandrinShellTreeCtrl::GetItemDisplayPath(QTreeWidgetItem* item, int kind) const {
  return lx::GetItemDisplayPath(engine_, TextsOf(item), kind, FolderPathOf(item).toStdString());
}

void CLorvexandrinShellTreeCtrl::SelectSource(QTreeWidgetItem* item) {
  if (!item) return;
  if (busy_ && busy_()) return;  // a folder read is running; the user clicks again after it
  RefreshDevices();
  const ItemTexts texts = TextsOf(item);
  if (lx::GetSourceKind(engine_, texts) == 2) {
    SelectDeviceSource(engine_, texts, kLevelsAboveDevice);
  } else {
    const QString path = FolderPathOf(item);
    // The computer node and other items without a folder have nothing to list.
    if (path.isEmpty()) return;
    SelectFolderSource(engine_, path.toStdString());
  }
  emit SourceSelected();
}

void CLorvexandrinShellTreeCtrl::RefreshTree() {
  expandedTexts_.clear();
  std::function<void(QTreeWidgetItem*)> collect = [&](QTreeWidgetItem* item) {
    if (!item->isExpanded()) return;
    expandedTexts_ << item->text(0);
    for (int i = 0; i < item->childCount(); ++i) collect(item->child(i));
  };
  for (int i = 0; i < topLevelItemCount(); ++i) collect(topLevelItem(i));

  Rebuild();
  if (QTreeWidgetItem* first = topLevelItem(0)) {
    scrollToItem(first, QAbstractItemView::PositionAtTop);
    setCurrentItem(first);
    SelectSource(first);
  }
  for (int i = 0; i < topLevelItemCount(); ++i) ExpandByTexts(topLevelItem(i), expandedTexts_);
  expandedTexts_.clear();
}

void CLorvexandrinShellTreeCtrl::ExpandByTexts(QTreeWidgetItem* item, const QStringList& texts) {
  if (!texts.contains(item->text(0))) return;
  item->setExpanded(true);  // reads the children
  for (int i = 0; i < item->childCount(); ++i) ExpandByTexts(item->child(i), texts);
}

void CLorvexandrinShellTreeCtrl::ShowItemData(QTreeWidgetItem* item) {
  if (!item) return;
  RefreshDevices();  // the device table only; the current device stays as it is
  const ItemTexts texts = TextsOf(item);
  const int kind = lx::GetSourceKind(engine_, texts);
  RichTextRequest request;
  request.body = BuildItemDataBody(engine_, texts, kind, FolderPathOf(item).toStdString());
  request.title = "Quorin Lorvexandrin Item Data Display";
  request.buttons = kButtonsOk;
  prompts_.RichTextMessage(request);
}

QTreeWidgetItem* CLorvexandrinShellTreeCtrl::FindFolderItem(const QString& wanted) {
  QString target = QDir::cleanPath(wanted);
  for (int i = 0; i < topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = topLevelItem(i);
    while (item) {
      const QString path = QDir::cleanPath(FolderPathOf(item));
      if (path == target) return item;
      const QString prefix = path.endsWith('/') ? path : path + '/';
      if (path.isEmpty() || !target.startsWith(prefix)) break;
      item->setExpanded(true);
      QTreeWidgetItem* next = nullptr;
      for (int c = 0; c < item->childCount() && !next; ++c) {
        const QString childPath = QDir::cleanPath(FolderPathOf(item->child(c)));
        if (target == childPath || target.startsWith(childPath + '/')) next = item->child(c);
      }
      item = next;
    }
  }
  return nullptr;
}

void CLorvexandrinShellTreeCtrl::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F5) {
    RefreshTree();
    event->accept();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

void CLorvexandrinShellTreeCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    if (QTreeWidgetItem* item = itemAt(event->position().toPoint())) {
      ShowItemData(item);
      event->accept();
      return;
    }
  }
  QTreeWidget::mousePressEvent(event);
}

}  // namespace lx::gui
