// The two main views. The rename list and the photo details grid grow inside
// these pages; for now the rename view shows where it reads and writes.
#pragma once

#include <QWidget>

class QLabel;

namespace lx {
class CLorvexandrinEngine;
}

namespace lx::gui {

class CRenameViewPage : public QWidget {
  Q_OBJECT

 public:
  explicit CRenameViewPage(CLorvexandrinEngine& engine, QWidget* parent = nullptr);

  void OnInitialUpdate();
  // Shows the engine's current source and rename paths.
  void UpdatePaths();

  // Set when the source changed: the next time the view is shown it lists the folder again.
  bool ReReadFolder = false;
  int ShownCount() const { return shownCount_; }
  // Puts the rename view in place of the placeholder; it lists the source from then on.
  void SetRenameView(class CRenameFileView* view);
  class CRenameFileView* RenameView() const {
    return view_;
  }
  int ReadCount() const { return readCount_; }

 signals:
  void Shown();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  CLorvexandrinEngine& engine_;
  QLabel* sourcePath_ = nullptr;
  QLabel* renamePath_ = nullptr;
  int shownCount_ = 0;
  int readCount_ = 0;
  class CRenameFileView* view_ = nullptr;
};

class CDetailsViewPage : public QWidget {
  Q_OBJECT

 public:
  explicit CDetailsViewPage(QWidget* parent = nullptr);
  void OnInitialUpdate() {}
  // Puts the details view in place of the placeholder.
  void SetDetailsView(class CSingleFileView* view);
  class CSingleFileView* DetailsView() const {
    return view_;
  }

 private:
  class CSingleFileView* view_ = nullptr;
};

}  // namespace lx::gui
