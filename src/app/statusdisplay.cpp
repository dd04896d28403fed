#include "statusdisplay.h"

#include "mainwindow.h"

void Common::ShowTestSettings()
{
    if (MainWindow *window = MainWindow::instance())
        window->ShowTestSettings();
}

void Common::ShowLevelStatus()
{
    if (MainWindow *window = MainWindow::instance())
        window->ShowLevelStatus();
}

void Common::RefreshMainWindowAfterSettings()
{
    if (MainWindow *window = MainWindow::instance())
        window->RefreshAfterSettings();
}
