#pragma once

#include <functional>

class QDialog;

// Every modal window of the program is shown through here, so that tests can
// answer it without blocking in a nested event loop.
namespace Modal
{
    using Runner = std::function<int(QDialog &dialog)>;

    // Runs the dialog modally and returns its result.
    int exec(QDialog &dialog);
    // An empty runner restores QDialog::exec.
    void setRunner(Runner runner);
}
