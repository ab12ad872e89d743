// Modal dialogs open through ExecModal, so that a test can answer one in
// place of a user: an installed hook receives the dialog instead of exec().
#pragma once

#include <functional>

class QDialog;

namespace lx::gui {

using ModalHook = std::function<int(QDialog&)>;

// Runs the dialog (or hands it to the hook) and returns its result code.
int ExecModal(QDialog& dialog);

// Installs a hook for as long as the object lives, then restores the previous one.
class ScopedModalHook {
 public:
  explicit ScopedModalHook(ModalHook hook);
  ~ScopedModalHook();
  ScopedModalHook(const ScopedModalHook&) = delete;
  ScopedModalHook& operator=(const ScopedModalHook&) = delete;

 private:
  ModalHook previous_;
};

}  // namespace lx::gui
