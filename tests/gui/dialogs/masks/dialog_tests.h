// The mask, keyword and counter dialogs' test classes, run by one program.
#pragma once

class QObject;

namespace lx::gui::test {

QObject* MakeCounterDialogTest();
QObject* MakeKeywordDialogTest();
QObject* MakeMaskEditorTest();
QObject* MakeMaskViewersTest();

}  // namespace lx::gui::test
