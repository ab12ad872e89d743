#include "common/modal_hook.h"

#include <QDialog>

namespace lx::gui {

namespace {
ModalHook& CurrentHook() {
  static ModalHook hook;
  return hook;
}
}  // namespace

int ExecModal(QDialog& dialog) {
  if (const ModalHook& hook = CurrentHook()) return hook(dialog);
  return dialog.exec();
}

ScopedModalHook::ScopedModalHook(ModalHook hook) : previous_(std::move(CurrentHook())) {
  CurrentHook() = std::move(hook);
}

ScopedModalHook::~ScopedModalHook() { CurrentHook() = std::move(previous_); }

}  // namespace lx::gui
