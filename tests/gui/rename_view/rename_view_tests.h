// The rename view's test classes, run by one program.
#pragma once

namespace lx::gui::test {

int RunRenameViewTests(int argc, char** argv);

}  // namespace lx::gui::test
