#include "modal.h"

#include <QDialog>

namespace
{
    Modal::Runner &runner()
    {
        static Modal::Runner fn;
        return fn;
    }
}

int Modal::exec(QDialog &dialog)
{
    return runner() ? runner()(dialog) : dialog.exec();
}

void Modal::setRunner(Runner runner)
{
    ::runner() = std::move(runner);
}
